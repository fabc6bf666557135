// What a folder holds, on POSIX systems (Linux).
#include "system/files.h"

#include "system/entries_posix.h"
#include "system/last_error.h"
#include "system/open_folder.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace sys {

namespace {

// One pass over the entries of the folder open as `fd`, which it closes where
// it is its `own`, "." and ".." left out; `keep` decides on the others. On an
// error the list is left empty.
template <typename Keep>
std::error_code readFolderAt(int fd, bool own, std::vector<std::filesystem::path> &names, Keep keep)
{
    names.clear();
    if (fd < 0)
        return lastError();
    const std::error_code error = forEachEntry(fd, [&](const dirent &entry) {
        const std::string_view name(entry.d_name);
        if (name != "." && name != ".." && keep(fd, entry))
            names.emplace_back(name);
    });
    if (own)
        ::close(fd);
    if (error)
        names.clear();
    return error;
}

template <typename Keep>
std::error_code readFolder(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names, Keep keep)
{
    return readFolderAt(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), true, names, keep);
}

// Whether the entry is one the file list shows. The entry's own type from
// readdir decides where it can (no system call for a file or a folder); only a
// link, or a file system that does not tell the type, costs an fstatat.
bool isListedFile(int folder, const dirent &entry)
{
    if (entry.d_name[0] == '.')
        return false; // hidden
    switch (entry.d_type) {
    case DT_REG:
        return true;
    case DT_LNK:
    case DT_UNKNOWN:
        break;
    default:
        return false; // folder, FIFO, socket, device node
    }
    struct stat info {};
    if (::fstatat(folder, entry.d_name, &info, 0) == 0)
        return S_ISREG(info.st_mode); // a link counts as what it leads to
    // Nothing at the end of it: a dangling link (or a loop, or a target out of
    // reach) is still an entry of this folder that is not a folder, and
    // renaming it changes only the link's own name, so it is listed.
    return ::fstatat(folder, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode);
}

// A folder the folder list shows: readdir tells for most; a link counts as what it leads to.
bool isListedFolder(int folder, const dirent &entry)
{
    if (entry.d_name[0] == '.')
        return false;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_DIR;
    struct stat info {};
    return ::fstatat(folder, entry.d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
}

// A folder of its own, not a link to one: a link is renamed as a file is, or not at all.
bool isOwnFolder(int folder, const dirent &entry)
{
    if (entry.d_name[0] == '.')
        return false;
    if (entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_DIR;
    struct stat info {};
    return ::fstatat(folder, entry.d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::error_code listFiles(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names)
{
    return readFolder(folder, names, isListedFile);
}

std::error_code listFolders(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names)
{
    return readFolder(folder, names, isListedFolder);
}

std::error_code listAllNames(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names)
{
    return readFolder(folder, names, [](int, const dirent &) { return true; });
}

namespace {

// Both lists at once, of the folder open as `fd`.
std::error_code namesAndFilesAt(int fd, bool own, std::vector<std::filesystem::path> &names, std::vector<bool> &isFile,
                                std::vector<bool> *isFolder)
{
    isFile.clear();
    if (isFolder)
        isFolder->clear();
    const std::error_code error = readFolderAt(fd, own, names, [&](int at, const dirent &entry) {
        isFile.push_back(isListedFile(at, entry));
        if (isFolder)
            isFolder->push_back(isOwnFolder(at, entry));
        return true;
    });
    if (error) {
        isFile.clear();
        if (isFolder)
            isFolder->clear();
    }
    return error;
}

} // namespace

std::error_code listAllNamesAndFiles(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names,
                                     std::vector<bool> &isFile, std::vector<bool> *isFolder)
{
    return namesAndFilesAt(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC), true, names, isFile, isFolder);
}

std::error_code listAllNamesAndFiles(const OpenFolder &folder, std::vector<std::filesystem::path> &names,
                                     std::vector<bool> &isFile, std::vector<bool> *isFolder)
{
    // From the first entry, of the very folder held open.
    const int fd = static_cast<int>(folder.handle());
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return lastError();
    return namesAndFilesAt(fd, false, names, isFile, isFolder);
}

std::size_t longestName(const std::filesystem::path &folder)
{
    const long most = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return most > 0 ? static_cast<std::size_t>(most) : NAME_MAX;
}

std::size_t longestName(const OpenFolder &folder)
{
    const long most = ::fpathconf(static_cast<int>(folder.handle()), _PC_NAME_MAX);
    return most > 0 ? static_cast<std::size_t>(most) : NAME_MAX;
}

} // namespace sys
