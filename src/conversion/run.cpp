// Command1_Click, the 変換 menu's items and rensub: the confirmed rename of the
// listed files to one case, or by another conversion.
#include "window/mojik.h"

#include "controls/file_list.h"
#include "controls/path_label.h"
#include "controls/progress_window.h"
#include "conversion/engine.h"
#include "conversion/plan_details.h"
#include "conversion/report.h"
#include "system/folder_lock.h"
#include "text/casemap.h"
#include "text/names.h"
#include "text/reason.h"

#include <QElapsedTimer>
#include <QRadioButton>
#include <algorithm>
#include <memory>
#include <optional>

namespace {

constexpr int kNamesShown = 20; // a box lists this many names, then how many more

} // namespace

QString MOJIK::itemLines(const std::vector<QString> &items)
{
    QString lines;
    const std::size_t shown = std::min<std::size_t>(items.size(), kNamesShown);
    for (std::size_t i = 0; i < shown; ++i)
        lines += QLatin1Char('\r') + items[i];
    if (items.size() > shown)
        lines += QStringLiteral("\rほか %1 個").arg(items.size() - shown);
    return lines;
}

bool MOJIK::lockJournals(const conversion::JournalStore &journals, sys::FolderLock &lock)
{
    const std::error_code error = journals.lock(lock, false);
    if (error == std::errc::resource_unavailable_try_again)
        message(QStringLiteral("ほかの MOJIK がファイル名を変更しています。終わってから、もう一度実行してください。"));
    else if (error)
        message(conversion::journalUnwritableText(journals.folder(), error));
    return !error;
}

void MOJIK::reportRun(const conversion::Outcome &outcome)
{
    const QString undoHint = outcome.renamed ? QStringLiteral("\rCtrl+Z で元に戻せます。") : QString();
    if (outcome.failure) {
        message(conversion::refusedText(outcome.failedName, outcome.failure, outcome.renamed) + undoHint);
    } else if (outcome.stopped) {
        message(conversion::stoppedText(outcome.renamed) + undoHint);
    }
    if (!outcome.unchanged.empty()) {
        std::vector<QString> names;
        for (const auto &name : outcome.unchanged)
            names.push_back(text::displayName(name));
        message(QStringLiteral("次の %1 個のファイルは、名前の変更を受け付けられましたが、大文字と小文字が変わっていません。"
                               "このドライブは大文字と小文字を区別しないようです。\r")
                    .arg(outcome.unchanged.size())
                + itemLines(names));
    }
    if (!outcome.skipped.empty()) {
        std::vector<QString> lines;
        for (const auto &skip : outcome.skipped)
            lines.push_back(conversion::skipText(skip));
        message(QStringLiteral("次の %1 個のファイルは、名前を変更しませんでした。\r").arg(outcome.skipped.size())
                + itemLines(lines));
    }
}

void MOJIK::Command1_Click()
{
    convertShown(Option1->isChecked() ? conversion::Case::Upper : conversion::Case::Lower);
}

void MOJIK::utf8_Click()
{
    convertShown({conversion::Conversion::Utf8});
}

void MOJIK::compose_Click()
{
    convertShown({conversion::Conversion::Compose});
}

void MOJIK::narrow_Click()
{
    convertShown({conversion::Conversion::Narrow});
}

void MOJIK::wideKana_Click()
{
    convertShown({conversion::Conversion::WideKana});
}

void MOJIK::convertShown(const conversion::Conversions &conversions)
{
    // The question shows the plan, made once, and a Yes runs exactly that plan;
    // the renamer still refuses a name that came in while the user read it.
    // The file list keeps the names it showed at the click until the loop ends.
    const std::vector<std::filesystem::path> &listed = File1->entries();
    const std::filesystem::path folder = Label1->path();
    const bool chosen = !text::trimSpaces(Label1->text()).isEmpty();
    std::optional<conversion::Run> planned;
    std::error_code unread;
    QString details;
    if (chosen) {
        planned.emplace(folder, conversions);
        unread = planned->plan(listed);
        details = unread ? QStringLiteral("%1 の内容を読めませんでした。\r%2").arg(Label1->text(), text::reasonText(unread))
                         : conversion::planDetails(listed, planned->planned(), conversions);
    }

    const QString prompt = Label1->text() + QStringLiteral("\r\rﾃﾞｨﾚｸﾄﾘ配下のﾌｧｲﾙ名を変更しますか？");
    if (message(prompt, controls::Buttons::YesNo, details) != controls::Answer::Yes)
        return;
    if (!chosen) {
        message(QStringLiteral("ディレクトリを選択してください"));
        return;
    }
    if (const std::error_code error = m_folders.setWorkingFolder(folder)) {
        message(QStringLiteral("%1 に移動できませんでした。ファイル名は変更していません。\r%2")
                    .arg(Label1->text(), text::reasonText(error)));
        return;
    }
    if (unread) {
        message(QStringLiteral("%1 の内容を読めませんでした。ファイル名は変更していません。\r%2")
                    .arg(Label1->text(), text::reasonText(unread)));
        return;
    }
    conversion::Run &run = *planned;
    const conversion::JournalStore journals = conversion::JournalStore::standard();
    // Held to the end of the run: no undo takes it back while it renames.
    sys::FolderLock lock;
    if (!lockJournals(journals, lock))
        return;
    if (const std::error_code error = run.writeJournal(journals)) {
        message(conversion::journalUnwritableText(journals.folder(), error));
        return;
    }

    // A run that goes on past a moment shows that it is alive, how far it got, and
    // a way to stop it.
    const conversion::Plan &plan = run.planned();
    const int total = static_cast<int>(run.toRename());
    std::unique_ptr<controls::ProgressWindow> progress;
    QElapsedTimer clock;
    clock.start();
    qint64 painted = 0;

    m_run = &run;
    int renamed = 0;
    std::filesystem::path failedName;
    std::error_code failure;
    bool stopped = false;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (!plan.rename[i])
            continue;
        const qint64 now = clock.elapsed();
        if (now >= m_services.progressAfterMs && (!progress || now - painted >= m_services.progressEveryMs)) {
            if (!progress)
                progress = std::make_unique<controls::ProgressWindow>(this, total);
            progress->step(renamed, text::displayName(listed[i]));
            painted = now;
            if ((stopped = progress->stopRequested()))
                break;
        }
        if ((failure = rensub(listed[i]))) {
            failedName = listed[i];
            break;
        }
        ++renamed;
    }
    m_run = nullptr;
    progress.reset();
    File1->refresh();
    reportRun(run.finish(File1->entries(), failedName, failure, stopped));
}

std::error_code MOJIK::rensub(const std::filesystem::path &aaa)
{
    const std::optional<std::filesystem::path> converted = m_run->converted(aaa);
    if (!converted)
        return std::make_error_code(std::errc::illegal_byte_sequence);
    return m_run->rename(aaa, *converted);
}
