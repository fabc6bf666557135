// A folder's files and renaming without replacing, on POSIX systems.
#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

namespace {

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

template <typename Keep>
std::error_code readFolder(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names, Keep keep)
{
    names.clear();
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return lastError();
    errno = 0;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name(entry->d_name);
        if (name != "." && name != ".." && keep(dir, entry))
            names.emplace_back(std::string(name));
        errno = 0;
    }
    const std::error_code error = errno ? lastError() : std::error_code();
    ::closedir(dir);
    return error;
}

} // namespace

std::error_code listFiles(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names)
{
    return readFolder(folder, names, [](DIR *dir, const dirent *entry) {
        if (entry->d_name[0] == '.')
            return false;
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) != 0)
            return entry->d_type == DT_LNK; // a dangling link is still a name in the folder
        return S_ISREG(info.st_mode);
    });
}

std::error_code listAllNames(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names)
{
    return readFolder(folder, names, [](DIR *, const dirent *) { return true; });
}

std::error_code renameFile(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0)
        return lastError();
    return {};
}

} // namespace platform
