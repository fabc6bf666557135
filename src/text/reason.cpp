// reasonText: Japanese for the failures users meet, the system's words beside it.
#include "text/reason.h"

#include "system/whole_file.h"

namespace text {

QString reasonText(const std::error_code &error)
{
    const std::error_condition condition = error.default_error_condition();
    QString japanese;
    if (error == sys::WriteRefusal::notARegularFile)
        japanese = QStringLiteral("通常のファイルではありません (フォルダ、デバイスなど)");
    else if (error == sys::WriteRefusal::notTheUsersFolder)
        japanese = QStringLiteral("ほかのユーザーのフォルダなので、中のファイルを信頼できません");
    else if (error == sys::WriteRefusal::folderOpenToOthers)
        japanese = QStringLiteral("ほかのユーザーも書き込めるフォルダなので、中のファイルを信頼できません (chmod go-w で直せます)");
    else if (error == sys::WriteRefusal::notTheFolderOfTheRun)
        japanese = QStringLiteral("変換したときのフォルダーではありません (置き換えられたか、リンクになっています)");
    else if (condition == std::errc::no_such_file_or_directory)
        japanese = QStringLiteral("ファイルまたはフォルダが見つかりません");
    else if (condition == std::errc::permission_denied || condition == std::errc::operation_not_permitted)
        japanese = QStringLiteral("アクセスが拒否されました");
    else if (condition == std::errc::read_only_file_system)
        japanese = QStringLiteral("読み取り専用のメディアです");
    else if (condition == std::errc::device_or_resource_busy || condition == std::errc::text_file_busy)
        japanese = QStringLiteral("ファイルが使用中です");
    else if (condition == std::errc::file_exists)
        japanese = QStringLiteral("同じ名前のファイルが既にあります");
    else if (condition == std::errc::not_a_directory)
        japanese = QStringLiteral("フォルダではありません");
    else if (condition == std::errc::no_such_device || condition == std::errc::no_such_device_or_address)
        japanese = QStringLiteral("ドライブの準備ができていません");
    else if (condition == std::errc::no_space_on_device)
        japanese = QStringLiteral("ディスクの空き容量が足りません");
    else if (condition == std::errc::filename_too_long)
        japanese = QStringLiteral("名前が長すぎます");
    else if (condition == std::errc::file_too_large)
        japanese = QStringLiteral("ファイルが大きすぎます");
    else if (condition == std::errc::illegal_byte_sequence)
        japanese = QStringLiteral("名前の文字コードが正しくありません");
    else if (condition == std::errc::io_error)
        japanese = QStringLiteral("入出力エラーが発生しました");
    else
        japanese = QStringLiteral("エラーが発生しました");
    return japanese + QStringLiteral(" (") + QString::fromLocal8Bit(error.message()) + QLatin1Char(')');
}

} // namespace text
