// Command1_Click and rensub: the confirmed rename of the listed files to one case.
#include "window/mojik.h"

#include "conversion/plan.h"
#include "controls/file_list.h"
#include "system/files.h"
#include "system/renamer.h"
#include "text/names.h"
#include "controls/path_label.h"
#include "text/casemap.h"
#include "controls/progress_window.h"
#include "text/reason.h"

#include <QElapsedTimer>
#include <QRadioButton>
#include <algorithm>
#include <memory>

namespace {

constexpr int kNamesShown = 20;     // a box lists this many names, then how many more
constexpr int kRepaintEveryMs = 100; // the progress window's pace: alive, yet cheap

QString skipText(const conversion::Skip &skip)
{
    const QString name = text::displayName(skip.name);
    switch (skip.reason) {
    case conversion::SkipReason::Taken:
        return QStringLiteral("%1 … %2 という名前が既にあります").arg(name, text::displayName(skip.newName));
    case conversion::SkipReason::Shared:
        return QStringLiteral("%1 … 他のファイルも %2 になります").arg(name, text::displayName(skip.newName));
    case conversion::SkipReason::NotText:
        break;
    }
    return QStringLiteral("%1 … 名前の文字コードが正しくありません").arg(name);
}

// One line per item, after a line break each; past a screenful, how many more.
template <typename Item, typename Text>
QString itemLines(const std::vector<Item> &items, Text text)
{
    QString lines;
    const std::size_t shown = std::min<std::size_t>(items.size(), kNamesShown);
    for (std::size_t i = 0; i < shown; ++i)
        lines += QLatin1Char('\r') + text(items[i]);
    if (items.size() > shown)
        lines += QStringLiteral("\rほか %1 個").arg(items.size() - shown);
    return lines;
}

QString skipReport(const std::vector<conversion::Skip> &skipped)
{
    return QStringLiteral("次の %1 個のファイルは、名前を変更しませんでした。\r").arg(skipped.size())
         + itemLines(skipped, skipText);
}

} // namespace

void MOJIK::Command1_Click()
{
    const QString prompt = Label1->text() + QStringLiteral("\r\rﾃﾞｨﾚｸﾄﾘ配下のﾌｧｲﾙ名を変更しますか？");
    if (message(prompt, controls::Buttons::YesNo) != controls::Answer::Yes)
        return;
    if (text::trimSpaces(Label1->text()).isEmpty()) {
        message(QStringLiteral("ディレクトリを選択してください"));
        return;
    }
    const std::filesystem::path folder = Label1->path();
    if (const std::error_code error = m_folders.setWorkingFolder(folder)) {
        message(QStringLiteral("%1 に移動できませんでした。ファイル名は変更していません。\r%2")
                    .arg(Label1->text(), text::reasonText(error)));
        return;
    }

    // The file list keeps the names it showed at the click until the loop ends.
    const std::vector<std::filesystem::path> &listed = File1->entries();
    std::vector<std::filesystem::path> present;
    if (const std::error_code error = sys::listAllNames(".", present)) {
        message(QStringLiteral("%1 の内容を読めませんでした。ファイル名は変更していません。\r%2")
                    .arg(Label1->text(), text::reasonText(error)));
        return;
    }
    const conversion::Plan plan =
        conversion::planRun(listed, present, Option1->isChecked() ? conversion::Case::Upper : conversion::Case::Lower);
    // One renamer for the whole run: it learns the medium's ways at the first rename.
    sys::Renamer renamer(".", std::move(present));

    // A run that goes on past a moment shows that it is alive, and how far it got.
    const int total = static_cast<int>(std::count(plan.rename.begin(), plan.rename.end(), true));
    std::unique_ptr<controls::ProgressWindow> progress;
    QElapsedTimer clock;
    clock.start();
    qint64 painted = 0;

    int renamed = 0;
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (!plan.rename[i])
            continue;
        const qint64 now = clock.elapsed();
        if (now >= m_services.progressAfterMs && (!progress || now - painted >= kRepaintEveryMs)) {
            if (!progress)
                progress = std::make_unique<controls::ProgressWindow>(this, total);
            progress->step(renamed, text::displayName(listed[i]));
            painted = now;
        }
        if (const std::error_code error = rensub(listed[i], renamer)) {
            progress.reset();
            const QString name = text::displayName(listed[i]);
            File1->refresh();
            message(QStringLiteral("%1 の名前を変更できなかったので、ここで止めました。\r%2\r\rそれまでに %3 個のファイル名を変更しました。")
                        .arg(name, text::reasonText(error))
                        .arg(renamed));
            if (!plan.skipped.empty())
                message(skipReport(plan.skipped));
            return;
        }
        ++renamed;
    }
    progress.reset();
    File1->refresh();
    const std::vector<std::filesystem::path> unchanged = conversion::unchangedNames(plan, File1->entries());
    if (!unchanged.empty())
        message(QStringLiteral("次の %1 個のファイルは、名前の変更を受け付けられましたが、大文字と小文字が変わっていません。"
                               "このドライブは大文字と小文字を区別しないようです。\r")
                    .arg(unchanged.size())
                + itemLines(unchanged, [](const std::filesystem::path &name) { return text::displayName(name); }));
    if (!plan.skipped.empty())
        message(skipReport(plan.skipped));
}

std::error_code MOJIK::rensub(const std::filesystem::path &aaa, sys::Renamer &renamer)
{
    const auto mode = Option1->isChecked() ? conversion::Case::Upper : conversion::Case::Lower;
    const std::optional<std::filesystem::path> converted = conversion::convertedPath(aaa, mode);
    if (!converted)
        return std::make_error_code(std::errc::illegal_byte_sequence);
    return renamer.rename(aaa, *converted);
}
