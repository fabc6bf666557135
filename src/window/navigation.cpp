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

namespace {

// Why dir gave no folder: no setting, or one too long for it to read.
QString desktopUnread(const mojikbas::DesktopSetting &setting)
{
    using State = mojikbas::DesktopSetting::State;
    if (setting.state == State::missing)
        return QStringLiteral("デスクトップフォルダの設定がありません。");
    if (setting.state == State::tooLong)
        return QStringLiteral("デスクトップフォルダのパスが長すぎます (%1 バイト、読めるのは %2 バイトまで)。\r%3")
            .arg(setting.bytes)
            .arg(mojikbas::kDirBytes)
            .arg(text::displayName(setting.path));
    // Set again since dir asked: the next click reads it.
    return QStringLiteral("デスクトップフォルダの設定を読めませんでした。\r%1").arg(text::displayName(setting.path));
}

// Why the folder dir gave could not be shown: it is not there, or a step failed.
QString desktopUnreached(const std::filesystem::path &desktop, const std::error_code &error)
{
    const bool missing = error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
    const QString what = missing ? QStringLiteral("デスクトップフォルダ %1 が見つかりません。")
                                 : QStringLiteral("デスクトップフォルダ %1 に移動できませんでした。");
    return what.arg(text::displayName(desktop)) + QLatin1Char('\r') + text::reasonText(error);
}

} // namespace

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
        message(desktop.empty() ? desktopUnread(mojikbas::desktopSetting(m_services.registry))
                                : desktopUnreached(desktop, error));
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
