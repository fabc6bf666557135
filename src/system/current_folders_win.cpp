// The drive letter rule on Windows, kept by the system itself: the process has
// one current folder per drive, the other drives' in the hidden "=D:" variables
// that cmd.exe and the C runtime keep and that a path like "d:" resolves through.
#include "system/current_folders.h"

#include "system/last_error.h"

#include <string>
#include <windows.h>

namespace sys {

namespace {

// The full path, without a trailing separator unless it is a drive's root.
std::error_code fullPath(const std::filesystem::path &path, std::filesystem::path &full)
{
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(text.size()), text.data(), nullptr);
        if (length == 0)
            return lastError();
        if (length < text.size()) {
            text.resize(length);
            break;
        }
        text.resize(length);
    }
    if (text.size() > 3 && (text.back() == L'\\' || text.back() == L'/'))
        text.pop_back();
    full = text;
    return {};
}

std::filesystem::path workingFolder()
{
    std::filesystem::path folder;
    fullPath(L".", folder);
    return folder;
}

// "=D:" for the drive "d:\".
std::wstring variableOf(const std::filesystem::path &drive)
{
    const wchar_t letter = drive.native().front();
    return {L'=', letter >= L'a' && letter <= L'z' ? static_cast<wchar_t>(letter - L'a' + L'A') : letter, L':'};
}

// Stores the working folder as its own drive's current folder, as cmd.exe and
// _chdir do: SetCurrentDirectory alone leaves the variable behind, and coming
// back to the drive would then land on a stale folder.
std::error_code rememberWorkingFolder(const CurrentFolders &folders)
{
    const std::filesystem::path working = workingFolder();
    const std::filesystem::path drive = folders.driveOf(working);
    if (drive.empty())
        return {}; // a UNC path: no drive to keep it for
    if (!SetEnvironmentVariableW(variableOf(drive).c_str(), working.c_str()))
        return lastError();
    return {};
}

} // namespace

CurrentFolders::CurrentFolders(DriveLister drives) : m_drives(std::move(drives))
{
}

std::filesystem::path CurrentFolders::driveOf(const std::filesystem::path &path) const
{
    return sys::driveOf(path, m_drives());
}

std::filesystem::path CurrentFolders::currentDrive() const
{
    return driveOf(workingFolder());
}

std::filesystem::path CurrentFolders::currentFolder(const std::filesystem::path &drive) const
{
    if (drive == currentDrive())
        return workingFolder();
    // "d:" alone is the drive's current folder, its root when it has none yet.
    std::filesystem::path folder;
    if (drive.empty() || fullPath(std::wstring{drive.native().front(), L':'}, folder))
        return drive;
    return folder;
}

std::error_code CurrentFolders::changeDrive(const std::filesystem::path &path)
{
    const std::filesystem::path drive = driveOf(path);
    if (drive.empty())
        return std::make_error_code(std::errc::no_such_device);
    if (drive == currentDrive())
        return {};
    if (std::error_code error = rememberWorkingFolder(*this))
        return error;
    if (!SetCurrentDirectoryW(std::wstring{drive.native().front(), L':'}.c_str()))
        return lastError();
    return rememberWorkingFolder(*this);
}

std::error_code CurrentFolders::changeFolder(const std::filesystem::path &folder)
{
    std::filesystem::path target;
    if (std::error_code error = fullPath(folder, target))
        return error;
    const std::filesystem::path drive = driveOf(target);
    if (drive.empty())
        return std::make_error_code(std::errc::no_such_device);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return lastError();
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::make_error_code(std::errc::not_a_directory);
    if (drive != currentDrive()) {
        if (!SetEnvironmentVariableW(variableOf(drive).c_str(), target.c_str()))
            return lastError();
        return {};
    }
    if (!SetCurrentDirectoryW(target.c_str()))
        return lastError();
    return rememberWorkingFolder(*this);
}

std::error_code CurrentFolders::setWorkingFolder(const std::filesystem::path &folder)
{
    if (std::error_code error = changeDrive(folder))
        return error;
    return changeFolder(folder);
}

} // namespace sys
