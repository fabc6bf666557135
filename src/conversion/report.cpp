// skipText, changedText and the texts of a run or an undo that stopped.
#include "conversion/report.h"

#include "text/names.h"
#include "text/reason.h"

namespace conversion {

QString skipText(const Skip &skip, QString (*shown)(const std::filesystem::path &))
{
    const QString name = shown(skip.name);
    switch (skip.reason) {
    case SkipReason::Taken:
        return QStringLiteral("%1 … %2 という名前が既にあります").arg(name, shown(skip.newName));
    case SkipReason::Shared:
        return QStringLiteral("%1 … 他のファイルも %2 になります").arg(name, shown(skip.newName));
    case SkipReason::ShiftJis:
        return QStringLiteral("%1 … Shift_JIS の名前かもしれないので、文字化けしないようにそのままにしました").arg(name);
    case SkipReason::Undecided:
        return QStringLiteral("%1 … UTF-8 の名前か Shift_JIS の名前か決められないので、そのままにしました").arg(name);
    case SkipReason::TooLong:
        return QStringLiteral("%1 … 新しい名前はこのドライブには長すぎます").arg(name);
    case SkipReason::NotAFile:
        return QStringLiteral("%1 … 一覧を表示した後で、ファイルではなくなっています").arg(name);
    case SkipReason::NotText:
        break;
    }
    return QStringLiteral("%1 … 名前の文字コードが正しくありません").arg(name);
}

QString changedText(const std::filesystem::path &oldName, const std::filesystem::path &newName)
{
    return QStringLiteral("%1 … 変換の後で名前が変わったか、%2 という名前が既にあります")
        .arg(text::displayName(newName), text::displayName(oldName));
}

QString refusedText(const std::filesystem::path &name, const std::error_code &error, std::size_t done)
{
    return QStringLiteral("%1 の名前を変更できなかったので、ここで止めました。\r%2\r\rそれまでに %3 個のファイル名を変更しました。")
        .arg(text::displayName(name), text::reasonText(error))
        .arg(done);
}

QString undoRefusedText(const std::filesystem::path &name, const std::error_code &error, std::size_t done)
{
    return QStringLiteral("%1 の名前を元に戻せなかったので、ここで止めました。\r%2\r\rそれまでに %3 個のファイル名を元に戻しました。")
        .arg(text::displayName(name), text::reasonText(error))
        .arg(done);
}

QString stoppedText(std::size_t done)
{
    return QStringLiteral("中止しました。%1 個のファイル名を変更しました。").arg(done);
}

QString journalUnwritableText(const std::filesystem::path &store, const std::error_code &error)
{
    return QStringLiteral("元に戻すための履歴を %1 に書けなかったので、ファイル名は変更していません。\r%2")
        .arg(text::displayName(store), text::reasonText(error));
}

QString journalRefusalText(const StoredJournal &stored)
{
    if (stored.error)
        return QStringLiteral("履歴ファイル %1 を読めなかったので、元に戻せません。\r%2")
            .arg(text::displayName(stored.file), text::reasonText(stored.error));
    if (!stored.journal)
        return QStringLiteral("履歴ファイル %1 が壊れているので、元に戻せません。").arg(text::displayName(stored.file));
    return {};
}

QString nothingToUndoText(const std::filesystem::path &folder)
{
    return QStringLiteral("%1\r\rこのディレクトリには、元に戻せる変換がありません。").arg(text::displayName(folder));
}

QString undoneUnmarkedText(const std::filesystem::path &journal, const std::error_code &error)
{
    return QStringLiteral("元に戻しましたが、そのことを履歴ファイル %1 に書けませんでした。\r%2")
        .arg(text::displayName(journal), text::reasonText(error));
}

} // namespace conversion
