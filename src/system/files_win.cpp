// A folder's files and renaming without replacing, on Windows.
#include "system/files.h"

#include <atomic>
#include <string>
#include <windows.h>

namespace sys {

namespace {

std::error_code lastError()
{
    return {static_cast<int>(GetLastError()), std::system_category()};
}

// One pass over the folder's entries, "." and ".." left out; `keep` decides on
// the others by their attributes. On an error the list is left empty.
template <typename Keep>
std::error_code readFolder(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names, Keep keep)
{
    names.clear();
    const std::filesystem::path pattern = (folder.empty() ? std::filesystem::path(L".") : folder) / L"*";
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        // A drive's root holds no "." entry, so an empty one has nothing at all.
        return GetLastError() == ERROR_FILE_NOT_FOUND ? std::error_code() : lastError();
    }
    std::error_code error;
    do {
        const std::wstring_view name(entry.cFileName);
        if (name != L"." && name != L".." && keep(entry.dwFileAttributes))
            names.emplace_back(std::wstring(name));
    } while (FindNextFileW(find, &entry));
    if (GetLastError() != ERROR_NO_MORE_FILES)
        error = lastError();
    FindClose(find);
    if (error)
        names.clear();
    return error;
}

// The spelling the folder keeps for the entry that `path` leads to.
std::error_code storedName(const std::filesystem::path &path, std::wstring &name)
{
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileExW(path.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return lastError();
    FindClose(find);
    name = entry.cFileName;
    return {};
}

bool differOnlyInCase(const std::filesystem::path &a, const std::filesystem::path &b)
{
    const std::wstring &x = a.native();
    const std::wstring &y = b.native();
    return x != y &&
           CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(), static_cast<int>(y.size()), TRUE) ==
               CSTR_EQUAL;
}

// Whether the folder now spells the entry at `to` exactly as asked.
std::error_code isSpeltAs(const std::filesystem::path &to, bool &spelt)
{
    std::wstring name;
    if (std::error_code error = storedName(to, name))
        return error;
    spelt = name == to.filename().native();
    return {};
}

// MoveFileExW with no flags never replaces: it fails when `to` is taken.
std::error_code moveNoReplace(const std::filesystem::path &from, const std::filesystem::path &to)
{
    return MoveFileExW(from.c_str(), to.c_str(), 0) ? std::error_code() : lastError();
}

// A name no entry of the folder has yet is found by trying. Not hidden: should
// the file ever be left under it (the way back failed too), the file list shows
// where it is.
std::error_code moveToTemporary(const std::filesystem::path &from, std::filesystem::path &temporary)
{
    static std::atomic<unsigned> counter{0};
    const std::wstring stem = L"mojik-temp-" + std::to_wstring(GetCurrentProcessId()) + L'-' +
                              std::to_wstring(GetTickCount64() % 1000000007ULL) + L'-';
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = from.parent_path() / (stem + std::to_wstring(counter++) + L".tmp");
        error = moveNoReplace(from, temporary);
        if (error != std::errc::file_exists)
            return error;
    }
    return error;
}

// A change of case alone: from -> temporary name -> to, back to the old name if
// the second step fails. A file system that keeps the old spelling even so
// refuses the change, and that is what is reported.
std::error_code renameThroughTemporary(const std::filesystem::path &from, const std::filesystem::path &to)
{
    std::filesystem::path temporary;
    if (std::error_code error = moveToTemporary(from, temporary))
        return error;
    if (std::error_code error = moveNoReplace(temporary, to)) {
        moveNoReplace(temporary, from);
        return error;
    }
    bool spelt = false;
    if (std::error_code error = isSpeltAs(to, spelt))
        return error;
    return spelt ? std::error_code() : std::make_error_code(std::errc::operation_not_supported);
}

} // namespace

std::error_code listFiles(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names)
{
    return readFolder(folder, names, [](DWORD attributes) {
        return !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    });
}

std::error_code listFolders(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names)
{
    return readFolder(folder, names, [](DWORD attributes) {
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    });
}

std::error_code listAllNames(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names)
{
    return readFolder(folder, names, [](DWORD) { return true; });
}

std::error_code listAllNamesAndFiles(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names,
                                     std::vector<std::filesystem::path> &files)
{
    std::error_code error = listAllNames(folder, names);
    if (!error)
        error = listFiles(folder, files);
    if (error) {
        names.clear();
        files.clear();
    }
    return error;
}

std::size_t longestName(const std::filesystem::path &folder)
{
    wchar_t root[MAX_PATH + 1] = {};
    DWORD most = 0;
    std::error_code error;
    if (GetVolumePathNameW(std::filesystem::absolute(folder, error).c_str(), root, MAX_PATH + 1) &&
        GetVolumeInformationW(root, nullptr, 0, nullptr, &most, nullptr, nullptr, 0) && most > 0)
        return most;
    return 255; // what NTFS, FAT and exFAT take alike
}

std::error_code renameFile(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (from.native() == to.native())
        return GetFileAttributesW(from.c_str()) != INVALID_FILE_ATTRIBUTES ? std::error_code() : lastError();

    if (std::error_code error = moveNoReplace(from, to)) {
        // "Taken" by `from` itself, under another case, is no other file.
        std::wstring taken;
        std::wstring own;
        if (error == std::errc::file_exists && differOnlyInCase(from, to) && !storedName(to, taken) &&
            !storedName(from, own) && taken == own)
            return renameThroughTemporary(from, to);
        return error;
    }
    // Some file systems report success on a change of case alone and keep the
    // old spelling; only the folder itself tells.
    if (differOnlyInCase(from, to)) {
        bool spelt = false;
        if (std::error_code error = isSpeltAs(to, spelt))
            return error;
        if (!spelt)
            return renameThroughTemporary(from, to);
    }
    return {};
}

} // namespace sys
