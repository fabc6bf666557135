// OpenFolder and openFilesLimit on Windows: a handle to the folder that lets
// nobody move, rename or delete it while it is held, and its file ID.
#include "system/open_folder.h"

#include "system/last_error.h"

#include <string>
#include <windows.h>

namespace sys {

namespace {

// Shared for reading and writing its entries, never for deleting: the folder
// keeps its place until the handle goes.
HANDLE openHeld(const std::filesystem::path &at, DWORD flags)
{
    return CreateFileW(at.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | flags, nullptr);
}

} // namespace

std::error_code OpenFolder::open(const std::filesystem::path &path)
{
    const std::filesystem::path at = path.empty() ? std::filesystem::path(L".") : path;
    return take(reinterpret_cast<std::intptr_t>(openHeld(at, 0)), at);
}

std::error_code OpenFolder::openIn(const OpenFolder &parent, const std::filesystem::path &name)
{
    const std::filesystem::path at = parent.path() / name;
    HANDLE folder = openHeld(at, FILE_FLAG_OPEN_REPARSE_POINT);
    BY_HANDLE_FILE_INFORMATION info{};
    // A junction or a link in its place is refused, as POSIX refuses one.
    if (folder != INVALID_HANDLE_VALUE && GetFileInformationByHandle(folder, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        CloseHandle(folder);
        return std::make_error_code(std::errc::too_many_symbolic_link_levels);
    }
    return take(reinterpret_cast<std::intptr_t>(folder), at);
}

std::error_code OpenFolder::take(std::intptr_t handle, const std::filesystem::path &at)
{
    HANDLE folder = reinterpret_cast<HANDLE>(handle);
    const std::error_code opened = folder == INVALID_HANDLE_VALUE ? lastError() : std::error_code();
    close();
    if (opened)
        return opened;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(folder, &info)) {
        const std::error_code error = lastError();
        CloseHandle(folder);
        return error;
    }
    m_handle = reinterpret_cast<std::intptr_t>(folder);
    m_path = at;
    m_identity = std::to_string(info.dwVolumeSerialNumber) + ':' +
                 std::to_string(static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow);
    return {};
}

void OpenFolder::close()
{
    if (m_handle != -1)
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    m_handle = -1;
    m_identity.clear();
}

std::size_t openFilesLimit()
{
    return std::size_t(1) << 16; // handles are bounded by memory, not by a limit of the process
}

} // namespace sys
