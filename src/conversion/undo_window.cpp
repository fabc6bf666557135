// undoLastRun: Ctrl+Z in the window takes back the last run in the folder shown.
#include "window/mojik.h"

#include "controls/file_list.h"
#include "controls/path_label.h"
#include "conversion/report.h"
#include "conversion/undo.h"
#include "system/folder_lock.h"
#include "text/names.h"
#include "text/reason.h"

void MOJIK::undoLastRun()
{
    const QString folder = Label1->text();
    const conversion::JournalStore journals = conversion::JournalStore::standard();
    sys::FolderLock lock;
    if (!lockJournals(journals, lock))
        return;
    const std::optional<conversion::StoredJournal> stored = conversion::runToUndo(journals, Label1->path());
    if (!stored) {
        message(conversion::nothingToUndoText(Label1->path()));
        return;
    }
    if (const QString refusal = conversion::journalRefusalText(*stored); !refusal.isEmpty()) {
        message(refusal);
        return;
    }
    std::size_t count = 0;
    if (const std::error_code error = conversion::namesGivenBack(*stored->journal, count)) {
        message(QStringLiteral("%1 の内容を読めませんでした。\r%2").arg(folder, text::reasonText(error)));
        return;
    }
    const QString question = QStringLiteral("%1\r\r直前のファイル名の変換を元に戻しますか？\r%2 個のファイル名が元に戻ります。")
                                 .arg(folder)
                                 .arg(count);
    if (message(question, controls::Buttons::YesNo) != controls::Answer::Yes)
        return;

    std::vector<conversion::StoredJournal> runs{*stored};
    if (const std::error_code error = conversion::markUndoing(runs)) {
        message(conversion::journalUnwritableText(journals.folder(), error));
        return;
    }
    const conversion::UndoOutcome outcome = conversion::undoRun(runs.front());
    File1->refresh();
    if (outcome.unreadFolder) {
        message(QStringLiteral("%1 の内容を読めませんでした。\r%2").arg(folder, text::reasonText(outcome.unreadFolder)));
        return;
    }
    if (outcome.failure) {
        message(conversion::undoRefusedText(outcome.failedName, outcome.failure, outcome.renamed));
        return;
    }
    if (!outcome.changed.empty()) {
        std::vector<QString> lines;
        for (const auto &[from, to] : outcome.changed)
            lines.push_back(conversion::changedText(from, to));
        message(QStringLiteral("次の %1 個のファイルは、元に戻しませんでした。\r").arg(outcome.changed.size()) +
                itemLines(lines));
    }
    if (outcome.markFailure)
        message(conversion::undoneUnmarkedText(stored->file, outcome.markFailure));
}
