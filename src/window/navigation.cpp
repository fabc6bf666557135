// Drive1_Change, Dir1_Change, Command3_Click and the drop of a folder: the drive
// list, the folder list, the label, the file list and the working folder kept in step.
#include "window/mojik.h"

#include "mojikbas/dir.h"
#include "controls/drive_list.h"
#include "controls/file_list.h"
#include "controls/folder_list.h"
#include "text/names.h"
#include "controls/path_label.h"
#include "text/reason.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <functional>
#include <optional>

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

// Why a folder could not be shown: it is not there, or a step failed. `kind`
// says which folder it was.
QString unreached(const QString &kind, const std::filesystem::path &folder, const std::error_code &error)
{
    const bool missing = error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory;
    const QString what = missing ? QStringLiteral("%1 %2 が見つかりません。") : QStringLiteral("%1 %2 に移動できませんでした。");
    return what.arg(kind, text::displayName(folder)) + QLatin1Char('\r') + text::reasonText(error);
}

// The first local file or folder a drag carries.
std::optional<std::filesystem::path> droppedPath(const QMimeData *data)
{
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            return text::nameFromText(QDir::toNativeSeparators(url.toLocalFile()));
    }
    return std::nullopt;
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

std::error_code MOJIK::moveTo(const std::function<std::filesystem::path()> &where, std::filesystem::path &folder)
{
    // Working folder first, then the folder list, then the drive list: that order
    // keeps the folder list on the folder when the drive changes.
    using Step = std::function<std::error_code(const std::filesystem::path &)>;
    const Step steps[] = {
        [this](const std::filesystem::path &to) { return m_folders.changeDrive(to); },
        [this](const std::filesystem::path &to) { return m_folders.changeFolder(to); },
        [this](const std::filesystem::path &to) { return Dir1->setPath(to); },
        [this](const std::filesystem::path &to) {
            return Drive1->setDrive(m_folders.driveOf(to)) ? std::error_code()
                                                           : std::make_error_code(std::errc::no_such_device);
        },
    };
    for (const Step &step : steps) {
        folder = where();
        if (const std::error_code error =
                folder.empty() ? std::make_error_code(std::errc::no_such_file_or_directory) : step(folder))
            return error;
    }
    return {};
}

void MOJIK::Command3_Click()
{
    std::filesystem::path desktop;
    // Each step asks dir anew.
    if (const std::error_code error = moveTo([this] { return mojikbas::dir(m_services.registry); }, desktop)) {
        message(desktop.empty() ? desktopUnread(mojikbas::desktopSetting(m_services.registry))
                                : unreached(QStringLiteral("デスクトップフォルダ"), desktop, error));
        agreeWithFolderList();
    }
}

void MOJIK::dragEnterEvent(QDragEnterEvent *event)
{
    // Not while a box or a run holds the window: the run's plan is made of the
    // file list's names as they stand.
    if (!QApplication::activeModalWidget() && droppedPath(event->mimeData()))
        event->acceptProposedAction();
}

void MOJIK::dropEvent(QDropEvent *event)
{
    const std::optional<std::filesystem::path> dropped = droppedPath(event->mimeData());
    if (!dropped)
        return;
    event->acceptProposedAction();
    // A file opens the folder that holds it. A path that cannot be looked at is
    // tried as a folder: the step that fails on it then says why.
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(*dropped, error);
    const std::filesystem::path folder =
        std::filesystem::exists(status) && !std::filesystem::is_directory(status) ? dropped->parent_path() : *dropped;
    std::filesystem::path reached;
    if (const std::error_code failed = moveTo([&folder] { return folder; }, reached)) {
        message(unreached(QStringLiteral("フォルダ"), folder, failed));
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
