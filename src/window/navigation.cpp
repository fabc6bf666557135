// Drive1_Change, Dir1_Change and Command3_Click: the drive list, the folder list,
// the label, the file list and the working folder kept in step.
#include "window/mojik.h"

#include "mojikbas/dir.h"
#include "platform/drive_list.h"
#include "platform/file_list.h"
#include "platform/folder_list.h"
#include "platform/names.h"
#include "platform/path_label.h"
#include "platform/reason.h"

void MOJIK::Drive1_Change()
{
    const std::filesystem::path drive = Drive1->drive();
    std::error_code error = Dir1->setPath(m_folders.currentFolder(drive));
    if (!error)
        error = m_folders.changeDrive(Dir1->path());
    if (!error)
        error = m_folders.changeFolder(Dir1->path());
    if (error) {
        message(QStringLiteral("ドライブ %1 に移動できませんでした。\r%2")
                    .arg(platform::DriveList::driveText({drive, {}}), platform::reasonText(error)));
        agreeWithFolderList();
    }
}

void MOJIK::Dir1_Change()
{
    // Each step goes on whatever the one before it did; a folder that cannot be read lists no files.
    Label1->setPath(Dir1->path());
    File1->setPath(Dir1->path());
    m_folders.changeDrive(Dir1->path());
    m_folders.changeFolder(Dir1->path());
}

void MOJIK::Command3_Click()
{
    const platform::Registry &registry = m_services.registry;
    std::filesystem::path desktop = mojikbas::dir(registry);
    std::error_code error = desktop.empty() ? std::make_error_code(std::errc::no_such_file_or_directory)
                                            : m_folders.changeDrive(desktop);
    if (!error) {
        desktop = mojikbas::dir(registry);
        error = desktop.empty() ? std::make_error_code(std::errc::no_such_file_or_directory) : m_folders.changeFolder(desktop);
    }
    if (!error) {
        desktop = mojikbas::dir(registry);
        error = desktop.empty() ? std::make_error_code(std::errc::no_such_file_or_directory) : Dir1->setPath(desktop);
    }
    if (!error) {
        desktop = mojikbas::dir(registry);
        const std::filesystem::path drive = m_folders.driveOf(desktop);
        if (desktop.empty() || !Drive1->setDrive(drive))
            error = std::make_error_code(std::errc::no_such_device);
    }
    if (error) {
        const QString where = desktop.empty() ? QStringLiteral("デスクトップフォルダが見つかりません。")
                                              : QStringLiteral("デスクトップフォルダ %1 に移動できませんでした。")
                                                    .arg(platform::displayName(desktop));
        message(where + QLatin1Char('\r') + platform::reasonText(error));
        agreeWithFolderList();
    }
}

void MOJIK::agreeWithFolderList()
{
    // After a failed move the folder list leads again: the drive list shows its
    // drive, without running its handler again, and the working folder is its
    // folder. The failure itself has been told already.
    const QSignalBlocker quiet(Drive1);
    Drive1->setDrive(m_folders.driveOf(Dir1->path()));
    m_folders.setWorkingFolder(Dir1->path());
}
