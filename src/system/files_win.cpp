// What a folder holds, on Windows.
#include "system/files.h"

#include "system/last_error.h"
#include "system/open_folder.h"

#include <string>
#include <windows.h>

namespace sys {

namespace {

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

bool isListedFile(DWORD attributes)
{
    return !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

} // namespace

std::error_code listFiles(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names)
{
    return readFolder(folder, names, isListedFile);
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
                                     std::vector<bool> &isFile, std::vector<bool> *isFolder)
{
    isFile.clear();
    if (isFolder)
        isFolder->clear();
    const std::error_code error = readFolder(folder, names, [&](DWORD attributes) {
        isFile.push_back(isListedFile(attributes));
        // A junction or a link to a folder is a reparse point.
        if (isFolder)
            isFolder->push_back((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                                !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_REPARSE_POINT)));
        return true;
    });
    if (error) {
        isFile.clear();
        if (isFolder)
            isFolder->clear();
    }
    return error;
}

std::error_code listAllNamesAndFiles(const OpenFolder &folder, std::vector<std::filesystem::path> &names,
                                     std::vector<bool> &isFile, std::vector<bool> *isFolder)
{
    // The open folder can be neither moved nor replaced: its path still leads to it.
    return listAllNamesAndFiles(folder.path(), names, isFile, isFolder);
}

std::size_t longestName(const OpenFolder &folder)
{
    return longestName(folder.path());
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

} // namespace sys
