// skipText and changedText.
#include "conversion/report.h"

#include "text/names.h"

namespace conversion {

QString skipText(const Skip &skip)
{
    const QString name = text::displayName(skip.name);
    switch (skip.reason) {
    case SkipReason::Taken:
        return QStringLiteral("%1 … %2 という名前が既にあります").arg(name, text::displayName(skip.newName));
    case SkipReason::Shared:
        return QStringLiteral("%1 … 他のファイルも %2 になります").arg(name, text::displayName(skip.newName));
    case SkipReason::ShiftJis:
        return QStringLiteral("%1 … Shift_JIS の名前かもしれないので、文字化けしないようにそのままにしました").arg(name);
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

} // namespace conversion
