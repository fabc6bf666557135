// writeWholeFile (a new file beside the target, flushed to disk, then moved over
// it), writeNewFileDurably, privateFolder, appendToFile and readFile on Windows.
#include "system/whole_file.h"

#include "system/last_error.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <windows.h>

namespace sys {

namespace {

namespace fs = std::filesystem;

// What the existing target is, through any link: `regular` tells whether it is a
// file on disk, and `file` becomes the path of what the link leads to.
std::error_code examine(HANDLE handle, bool &regular, fs::path &file)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(handle) != FILE_TYPE_DISK) { // NUL, CON, a pipe
        regular = false;
        return {};
    }
    if (!GetFileInformationByHandle(handle, &info))
        return lastError();
    regular = !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    // Windows refuses to replace a read-only file; said here so that every
    // system that runs this (Wine too) refuses alike.
    if (regular && (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY))
        return {ERROR_ACCESS_DENIED, std::system_category()};
    std::wstring final(32768, L'\0'); // the longest path Windows has
    const DWORD length = GetFinalPathNameByHandleW(handle, final.data(), static_cast<DWORD>(final.size()), 0);
    if (length == 0 || length >= final.size())
        return lastError();
    final.resize(length);
    file = final;
    return {};
}

// A new empty file beside `file` under a name no other entry has.
HANDLE createBeside(const fs::path &file, fs::path &temporary)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = file.parent_path() /
                    (L"mojik-" + std::to_wstring(GetCurrentProcessId()) + L'-' + std::to_wstring(counter++) + L".tmp");
        const HANDLE handle =
            CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return handle;
    }
    return INVALID_HANDLE_VALUE;
}

// Writes all of `bytes`, and with `flush` waits until they are on the disk.
std::error_code writeAll(HANDLE handle, std::string_view bytes, bool flush = true)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const auto size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(handle, bytes.data(), size, &written, nullptr))
            return lastError();
        bytes.remove_prefix(written);
    }
    return !flush || FlushFileBuffers(handle) ? std::error_code() : lastError();
}

} // namespace

std::error_code writeWholeFile(const std::filesystem::path &target, std::string_view bytes)
{
    fs::path file = target;
    const HANDLE existing = CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (existing != INVALID_HANDLE_VALUE) {
        bool regular = false;
        const std::error_code error = examine(existing, regular, file);
        CloseHandle(existing);
        if (error)
            return error;
        if (!regular)
            return WriteRefusal::notARegularFile;
    } else if (GetLastError() != ERROR_FILE_NOT_FOUND) {
        return lastError();
    }

    fs::path temporary;
    const HANDLE out = createBeside(file, temporary);
    if (out == INVALID_HANDLE_VALUE)
        return lastError();
    std::error_code error = writeAll(out, bytes);
    if (!CloseHandle(out) && !error)
        error = lastError();
    if (!error && !MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = lastError();
    if (error)
        DeleteFileW(temporary.c_str());
    return error;
}

std::error_code writeNewFileDurably(const std::filesystem::path &path, std::string_view bytes)
{
    // Written under another name first, so that `path` appears only whole.
    fs::path temporary = path;
    temporary += L".new";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    // NTFS writes the new name with the file's own metadata.
    std::error_code error = writeAll(file, bytes);
    CloseHandle(file);
    // With no flag to replace, the move fails should `path` exist meanwhile.
    if (!error && !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH))
        error = lastError();
    if (error)
        DeleteFileW(temporary.c_str());
    return error;
}

std::error_code makePrivateFolder(const std::filesystem::path &folder)
{
    // It takes its access from the user's profile, which keeps other users out.
    return CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS ? std::error_code()
                                                                                               : lastError();
}

std::error_code privateFolder(const std::filesystem::path &folder)
{
    // The folders under the user's profile take their access from it, which
    // keeps other users out; only that the folder is there is asked here.
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return lastError();
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? std::error_code() : std::make_error_code(std::errc::not_a_directory);
}

std::error_code appendToFile(const std::filesystem::path &path, std::string_view bytes, bool durably)
{
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    const std::error_code error = writeAll(file, bytes, durably);
    CloseHandle(file);
    return error;
}

std::error_code readFile(const std::filesystem::path &path, std::string &bytes, std::size_t most, std::uint64_t largest)
{
    bytes.clear();
    // The link itself, not what it leads to, which is then refused below.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastError();
    std::error_code error;
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK)
        error = WriteRefusal::notARegularFile;
    else if (!GetFileInformationByHandle(file, &info))
        error = lastError();
    else if (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
        error = WriteRefusal::notARegularFile;
    else if ((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow) > largest)
        error = std::make_error_code(std::errc::file_too_large);
    if (error) {
        CloseHandle(file);
        return error;
    }
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
