// A folder's files and renaming without replacing, on POSIX systems (Linux).
#include "system/files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <dirent.h>
#include <climits>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace sys {

namespace {

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

std::error_code errorOf(std::errc value)
{
    return std::make_error_code(value);
}

// One pass over the folder's entries, "." and ".." left out; `keep` decides on
// the others. On an error the list is left empty.
template <typename Keep>
std::error_code readFolder(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names, Keep keep)
{
    names.clear();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        const std::error_code error = lastError();
        ::close(fd);
        return error;
    }
    std::error_code error;
    // Gathered as plain strings first: a growing vector of paths moves every
    // path it holds each time it grows, which costs more than the reading.
    std::vector<std::string> found;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry) {
            if (errno)
                error = lastError();
            break;
        }
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        if (keep(fd, *entry))
            found.emplace_back(name);
    }
    ::closedir(dir);
    if (error)
        return error;
    names.reserve(found.size());
    for (std::string &name : found)
        names.emplace_back(std::move(name));
    return error;
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

// Whether `folder` holds an entry spelt exactly `name`, byte for byte. A folder
// that cannot be read counts as holding it (the callers then take the careful way).
bool holdsExactName(const std::filesystem::path &folder, const std::string &name)
{
    DIR *dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return true;
    bool found = false;
    while (const dirent *entry = ::readdir(dir)) {
        if (name == entry->d_name) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// Whether the two names may differ only in letter case: alike but for ASCII case,
// or holding other bytes, whose case this layer does not read. Only a guess that
// lets a change of case through a temporary name be tried; that rename replaces
// nothing whatever the two names are.
bool mayDifferOnlyInCase(const std::string &a, const std::string &b)
{
    const auto plain = [](const std::string &name) {
        return std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    };
    if (!plain(a) || !plain(b))
        return true;
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

std::filesystem::path folderOf(const std::filesystem::path &path)
{
    const std::filesystem::path parent = path.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

// Renames without ever replacing an existing entry: file_exists when `to` is
// taken (which on a case-insensitive file system includes `from` itself under
// another case).
std::error_code renameNoReplace(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return lastError();

    // The file system (or an old kernel) refuses the flag. A hard link under the
    // new name is made only where that name is free, atomically; then the old
    // name goes. (flags 0: a link is linked as itself, not followed.)
    if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) == 0) {
        if (::unlink(from.c_str()) == 0)
            return {};
        const std::error_code error = lastError();
        ::unlink(to.c_str()); // back to the one old name
        return error;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS && errno != EMLINK && errno != EXDEV)
        return lastError();

    // No hard links either (FAT, exFAT and the like). Check that the name is free
    // and rename: another program that creates `to` between the lstat and the
    // rename would lose that file, a race of microseconds that these file systems
    // give no way to close.
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0)
        return errorOf(std::errc::file_exists);
    if (errno != ENOENT)
        return lastError();
    if (::rename(from.c_str(), to.c_str()) != 0)
        return lastError();
    return {};
}

// A name no entry of the folder has yet is found by trying: the first rename that
// does not meet file_exists takes it. Not hidden: should the file ever be left
// under it (the way back failed too), the file list shows where it is.
std::error_code renameToTemporary(const std::filesystem::path &from, std::filesystem::path &temporary)
{
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path folder = from.parent_path();
    const auto clock = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::error_code error;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = "mojik-temp-" + std::to_string(::getpid()) + '-' + std::to_string(counter++) + '-' +
                                 std::to_string(clock % 1000000007ULL) + ".tmp";
        temporary = folder / name;
        error = renameNoReplace(from, temporary);
        if (error != std::errc::file_exists)
            return error;
    }
    return error;
}

// A change of case alone on a case-insensitive file system: from -> temporary
// name -> to, and back to the old name if the second step fails.
std::error_code renameThroughTemporary(const std::filesystem::path &from, const std::filesystem::path &to)
{
    std::filesystem::path temporary;
    if (const std::error_code error = renameToTemporary(from, temporary))
        return error;
    const std::error_code error = renameNoReplace(temporary, to);
    if (error)
        renameNoReplace(temporary, from);
    return error;
}

// After file_exists: whether `to` is `from` itself, reached through the file
// system's case-insensitive matching, rather than another entry.
bool isSameEntry(const std::filesystem::path &from, const std::filesystem::path &to)
{
    struct stat a {};
    struct stat b {};
    if (::lstat(from.c_str(), &a) != 0 || ::lstat(to.c_str(), &b) != 0 || a.st_dev != b.st_dev)
        return false;
    if (a.st_ino == b.st_ino) {
        // One inode. Under a single name it is one entry; with more names `to`
        // may be a hard link of its own, which the folder then lists exactly.
        return a.st_nlink <= 1 || !holdsExactName(folderOf(to), to.filename().native());
    }
    // FUSE file systems that do not give stable inode numbers (fusefat among them)
    // hand out a new one for every spelling of a name. There a name that differs
    // only in case, resolves to an entry alike in type, size and time, and is not
    // listed as spelt is taken as `from` itself. A wrong guess costs nothing: the
    // second step of the rename through a temporary name never replaces either.
    return mayDifferOnlyInCase(from.native(), to.native()) && (a.st_mode & S_IFMT) == (b.st_mode & S_IFMT) && a.st_size == b.st_size &&
           a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
           !holdsExactName(folderOf(to), to.filename().native());
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

std::error_code listAllNamesAndFiles(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names,
                                     std::vector<std::filesystem::path> &files)
{
    files.clear();
    const std::error_code error = readFolder(folder, names, [&](int fd, const dirent &entry) {
        if (isListedFile(fd, entry))
            files.emplace_back(entry.d_name);
        return true;
    });
    if (error)
        files.clear();
    return error;
}

std::size_t longestName(const std::filesystem::path &folder)
{
    const long most = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return most > 0 ? static_cast<std::size_t>(most) : NAME_MAX;
}

std::error_code renameFile(const std::filesystem::path &from, const std::filesystem::path &to)
{
    if (from.native() == to.native()) {
        struct stat info {};
        return ::lstat(from.c_str(), &info) == 0 ? std::error_code() : lastError();
    }

    const std::error_code error = renameNoReplace(from, to);
    if (error == std::errc::file_exists)
        return isSameEntry(from, to) ? renameThroughTemporary(from, to) : error;
    return error;
}

} // namespace sys
