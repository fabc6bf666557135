// writeNewFileDurably, appendToFile and readFile with Win32 calls.
#include "system/durable_file.h"

#include <algorithm>
#include <windows.h>

namespace sys {

namespace {

std::error_code lastError()
{
    return {static_cast<int>(GetLastError()), std::system_category()};
}

std::error_code writeAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return lastError();
        bytes.remove_prefix(written);
    }
    return {};
}

} // namespace

std::error_code writeNewFileDurably(const std::filesystem::path &path, std::string_view bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    std::error_code error = writeAll(file, bytes);
    // NTFS writes the new name with the file's own metadata.
    if (!error && !FlushFileBuffers(file))
        error = lastError();
    CloseHandle(file);
    if (error)
        DeleteFileW(path.c_str());
    return error;
}

std::error_code appendToFile(const std::filesystem::path &path, std::string_view bytes)
{
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    const std::error_code error = writeAll(file, bytes);
    CloseHandle(file);
    return error;
}

std::error_code readFile(const std::filesystem::path &path, std::string &bytes, std::size_t most)
{
    bytes.clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    std::error_code error;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, most - bytes.size()));
        if (wanted == 0)
            break;
        if (!ReadFile(file, buffer, wanted, &got, nullptr)) {
            error = lastError();
            break;
        }
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return error;
}

} // namespace sys
