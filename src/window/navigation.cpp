// Drive1_Change, Dir1_Change and Command3_Click: the drive list, the folder list,
// the label, the file list and the working folder kept in step.
#include "window/mojik.h"

#include "mojikbas/dir.h"
#include "controls/drive_list.h"
#include "controls/file_list.h"
#include "controls/folder_list.h"
#include "text/names.h"
#include "controls/path_label.h"
#include "text/reason.h"

#include <functional>

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
                    .arg(controls::DriveList::driveText({drive, {}}), text::reasonText(error)));
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
    // Working folder first, then the folder list, then the drive list: that order
    // keeps the folder list on the desktop when the drive changes.
    using Step = std::function<std::error_code(const std::filesystem::path &)>;
    const Step steps[] = {
        [this](const std::filesystem::path &desktop) { return m_folders.changeDrive(desktop); },
        [this](const std::filesystem::path &desktop) { return m_folders.changeFolder(desktop); },
        [this](const std::filesystem::path &desktop) { return Dir1->setPath(desktop); },
        [this](const std::filesystem::path &desktop) {
            return Drive1->setDrive(m_folders.driveOf(desktop)) ? std::error_code()
                                                                : std::make_error_code(std::errc::no_such_device);
        },
    };
    std::filesystem::path desktop;
    std::error_code error;
    for (const Step &step : steps) {
        desktop = mojikbas::dir(m_services.registry); // each step asks anew
        error = desktop.empty() ? std::make_error_code(std::errc::no_such_file_or_directory) : step(desktop);
        if (error)
            break;
    }
    if (error) {
        const QString where = desktop.empty() ? QStringLiteral("デスクトップフォルダが見つかりません。")
                                              : QStringLiteral("デスクトップフォルダ %1 に移動できませんでした。")
                                                    .arg(text::displayName(desktop));
        message(where + QLatin1Char('\r') + text::reasonText(error));
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
