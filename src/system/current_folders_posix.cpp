// The drive letter rule kept over the process's one working folder: the current
// folders of the other drives are recorded here.
#include "system/current_folders.h"

#include "system/paths.h"

namespace sys {

CurrentFolders::CurrentFolders(DriveLister drives) : m_drives(std::move(drives))
{
    std::error_code error;
    m_working = std::filesystem::current_path(error);
}

namespace {

// Each step reads the mount table once (a fraction of a millisecond, and a
// folder list's move takes several steps) and asks it everything it needs.
std::filesystem::path driveIn(const std::filesystem::path &path, const std::vector<Drive> &drives)
{
    return driveOf(plainFolder(path), drives);
}

// The folder `drive` is at, `current` being the current drive.
std::filesystem::path folderOn(const std::filesystem::path &drive, const std::filesystem::path &current,
                               const std::filesystem::path &working,
                               const std::map<std::filesystem::path, std::filesystem::path> &recorded)
{
    if (drive == current)
        return working;
    const auto found = recorded.find(drive);
    return found != recorded.end() ? found->second : drive;
}

} // namespace

std::filesystem::path CurrentFolders::driveOf(const std::filesystem::path &path) const
{
    return driveIn(path, m_drives());
}

std::filesystem::path CurrentFolders::currentDrive() const
{
    return driveOf(m_working);
}

std::filesystem::path CurrentFolders::currentFolder(const std::filesystem::path &drive) const
{
    return folderOn(drive, currentDrive(), m_working, m_recorded);
}

std::error_code CurrentFolders::changeDrive(const std::filesystem::path &path)
{
    const std::vector<Drive> drives = m_drives();
    const std::filesystem::path drive = driveIn(path, drives);
    if (drive.empty())
        return std::make_error_code(std::errc::no_such_device);
    const std::filesystem::path current = driveIn(m_working, drives);
    if (drive == current)
        return {};
    const std::filesystem::path target = folderOn(drive, current, m_working, m_recorded);
    std::error_code error;
    std::filesystem::current_path(target, error);
    if (error)
        return error;
    m_recorded[current] = m_working;
    m_working = target;
    return {};
}

std::error_code CurrentFolders::changeFolder(const std::filesystem::path &folder)
{
    const std::vector<Drive> drives = m_drives();
    const std::filesystem::path target = plainFolder(folder);
    const std::filesystem::path drive = driveIn(target, drives);
    if (drive.empty())
        return std::make_error_code(std::errc::no_such_device);
    std::error_code error;
    if (!std::filesystem::is_directory(target, error))
        return error ? error : std::make_error_code(std::errc::not_a_directory);
    if (drive != driveIn(m_working, drives)) {
        m_recorded[drive] = target;
        return {};
    }
    std::filesystem::current_path(target, error);
    if (error)
        return error;
    m_working = target;
    return {};
}

std::error_code CurrentFolders::setWorkingFolder(const std::filesystem::path &folder)
{
    if (std::error_code error = changeDrive(folder))
        return error;
    return changeFolder(folder);
}

} // namespace sys
