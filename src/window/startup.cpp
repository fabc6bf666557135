// Form_Load: the first program code, once the controls hold their first values.
#include "window/mojik.h"

#include "controls/drive_list.h"
#include "controls/folder_list.h"
#include "controls/path_label.h"
#include "text/names.h"
#include "text/reason.h"

void MOJIK::Form_Load()
{
    if (Dir1->path().empty())
        openNearestFolder();
    Label1->setPath(Dir1->path());
}

void MOJIK::openNearestFolder()
{
    // The working folder could not be shown: its path is longer than the system
    // takes, say, or it is gone. The nearest folder above it that can be shown
    // is shown instead (the drive's root at worst), and the user is told once.
    std::error_code error;
    const std::filesystem::path start = std::filesystem::current_path(error);
    if (!error)
        error = Dir1->setPath(start); // asked again for the reason
    for (std::filesystem::path above = start; Dir1->path().empty() && above.has_relative_path();) {
        above = above.parent_path();
        Dir1->setPath(above);
    }
    if (Dir1->path().empty())
        Dir1->setPath(Drive1->drive());
    if (!Dir1->path().empty())
        agreeWithFolderList();

    QString prompt = start.empty() ? QStringLiteral("起動したフォルダを読み取れませんでした。")
                                   : QStringLiteral("起動したフォルダ %1 を開けませんでした。").arg(text::displayName(start));
    prompt += QLatin1Char('\r') + text::reasonText(error);
    if (!Dir1->path().empty())
        prompt += QStringLiteral("\r代わりに %1 を開きます。").arg(text::displayName(Dir1->path()));
    message(prompt);
}
