// The drive letter rule over the process's one working folder: every drive keeps
// its own current folder, and the working folder is that of the current drive.
#pragma once

#include "system/drives.h"

#include <filesystem>
#include <map>
#include <system_error>

namespace sys {

class CurrentFolders {
public:
    explicit CurrentFolders(DriveLister drives);

    std::vector<Drive> drives() const { return m_drives(); }
    std::filesystem::path driveOf(const std::filesystem::path &path) const;

    // The drive of the working folder.
    std::filesystem::path currentDrive() const;
    // The folder a drive is at: the working folder for the current drive, the
    // folder last recorded for another one, its root before that.
    std::filesystem::path currentFolder(const std::filesystem::path &drive) const;

    // Makes the drive that `path` lies on current: its current folder becomes the working folder.
    std::error_code changeDrive(const std::filesystem::path &path);
    // Makes `folder` the current folder of its drive; the working folder too only
    // when that drive is the current one.
    std::error_code changeFolder(const std::filesystem::path &folder);

    // Both steps of making a folder the working folder: its drive, then the folder.
    std::error_code setWorkingFolder(const std::filesystem::path &folder);

private:
    DriveLister m_drives;
    std::filesystem::path m_working;                                   // the folder the process works in
    std::map<std::filesystem::path, std::filesystem::path> m_recorded; // the other drives' current folders
};

} // namespace sys
