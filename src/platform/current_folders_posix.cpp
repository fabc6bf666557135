// The drive letter rule kept over the process's one working folder: the current
// folders of the other drives are recorded here.
#include "platform/current_folders.h"

#include "platform/paths.h"

namespace platform {

CurrentFolders::CurrentFolders(DriveLister drives) : m_drives(std::move(drives))
{
    std::error_code error;
    m_working = std::filesystem::current_path(error);
}

std::filesystem::path CurrentFolders::driveOf(const std::filesystem::path &path) const
{
    return platform::driveOf(plainFolder(path), m_drives());
}

std::filesystem::path CurrentFolders::currentDrive() const
{
    return driveOf(m_working);
}

std::filesystem::path CurrentFolders::currentFolder(const std::filesystem::path &drive) const
{
    if (drive == currentDrive())
        return m_working;
    const auto recorded = m_recorded.find(drive);
    return recorded != m_recorded.end() ? recorded->second : drive;
}

std::error_code CurrentFolders::changeDrive(const std::filesystem::path &path)
{
    const std::filesystem::path drive = driveOf(path);
    if (drive.empty())
        return std::make_error_code(std::errc::no_such_device);
    const std::filesystem::path current = currentDrive();
    if (drive == current)
        return {};
    const std::filesystem::path target = currentFolder(drive);
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
    const std::filesystem::path target = plainFolder(folder);
    const std::filesystem::path drive = driveOf(target);
    if (drive.empty())
        return std::make_error_code(std::errc::no_such_device);
    std::error_code error;
    if (!std::filesystem::is_directory(target, error))
        return error ? error : std::make_error_code(std::errc::not_a_directory);
    if (drive != currentDrive()) {
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

} // namespace platform
