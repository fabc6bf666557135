// writeWholeFile (a new file beside the target, synced to disk, then renamed
// over it), writeNewFileDurably, privateFolder, appendToFile and readFile on
// POSIX systems.
#include "system/whole_file.h"

#include "system/last_error.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace sys {

namespace {

namespace fs = std::filesystem;

// The file `file` leads to through any links; it need not exist yet.
std::error_code followLinks(fs::path &file)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat entry {};
        if (::lstat(file.c_str(), &entry) != 0)
            return errno == ENOENT ? std::error_code() : lastError();
        if (!S_ISLNK(entry.st_mode))
            return {};
        std::error_code error;
        const fs::path to = fs::read_symlink(file, error);
        if (error)
            return error;
        file = to.is_absolute() ? to : file.parent_path() / to;
    }
    return std::make_error_code(std::errc::too_many_symbolic_link_levels);
}

// A new empty file beside `file` under a hidden name no other entry has, made
// with `mode` as a new file gets it; -1 with errno on failure.
int createBeside(const fs::path &file, fs::path &temporary, mode_t mode = 0666)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = file.parent_path() / (".mojik-" + std::to_string(::getpid()) + '-' + std::to_string(counter++));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes all of `bytes`, and with `sync` waits until they are on the disk.
std::error_code writeAll(int fd, std::string_view bytes, bool sync = true)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return lastError();
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    // Some file systems tell a full disk only when the data goes out.
    return !sync || ::fsync(fd) == 0 ? std::error_code() : lastError();
}

// The folder's own entry for a new name reaches the disk only with the folder.
std::error_code syncFolderOf(const fs::path &path)
{
    const int fd = ::open(path.has_parent_path() ? path.parent_path().c_str() : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    const std::error_code error = ::fsync(fd) == 0 ? std::error_code() : lastError();
    ::close(fd);
    return error;
}

// The replaced file's permissions for the new one. Only a change is asked for:
// file systems without permissions (FAT) refuse even to set the ones they show.
std::error_code keepPermissions(int fd, const struct stat &old)
{
    struct stat created {};
    if (::fstat(fd, &created) != 0)
        return lastError();
    if ((created.st_mode & 0777) == (old.st_mode & 0777) || ::fchmod(fd, old.st_mode & 0777) == 0)
        return {};
    return lastError();
}

} // namespace

std::error_code writeWholeFile(const std::filesystem::path &target, std::string_view bytes)
{
    fs::path file = target;
    if (const std::error_code error = followLinks(file))
        return error;
    struct stat old {};
    const bool exists = ::stat(file.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return lastError();
    if (exists && !S_ISREG(old.st_mode))
        return WriteRefusal::notARegularFile;

    fs::path temporary;
    const int fd = createBeside(file, temporary);
    if (fd < 0)
        return lastError();
    std::error_code error = exists ? keepPermissions(fd, old) : std::error_code();
    if (!error)
        error = writeAll(fd, bytes);
    if (::close(fd) != 0 && !error)
        error = lastError();
    if (!error && ::rename(temporary.c_str(), file.c_str()) != 0)
        error = lastError();
    if (error)
        ::unlink(temporary.c_str());
    return error;
}

namespace {

// Gives the unnamed file open as `fd` the name `path`; a link, unlike a rename,
// never replaces a file that took the name meanwhile.
bool linkUnnamed(int fd, const fs::path &path)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    return errno == ENOENT && ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0; // no /proc
}

std::error_code writeNew(const std::filesystem::path &path, std::string_view bytes, bool sync)
{
    // Written as a file with no name first, where the file system makes one: a
    // process killed halfway leaves nothing behind at all.
    const fs::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const int unnamed = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (unnamed >= 0) {
        std::error_code error = writeAll(unnamed, bytes, sync);
        if (!error && !linkUnnamed(unnamed, path))
            error = lastError();
        if (::close(unnamed) != 0 && !error)
            error = lastError();
        if (!error && sync && (error = syncFolderOf(path)))
            ::unlink(path.c_str());
        return error;
    }
    // Elsewhere under a hidden name: a process killed halfway leaves no file
    // under `path`, only an entry that is not one of its kind.
    fs::path temporary;
    const int fd = createBeside(path, temporary, 0600);
    if (fd < 0)
        return lastError();
    std::error_code error = writeAll(fd, bytes, sync);
    if (::close(fd) != 0 && !error)
        error = lastError();
    const bool linked = !error && ::link(temporary.c_str(), path.c_str()) == 0;
    if (!error && !linked)
        error = lastError();
    ::unlink(temporary.c_str());
    if (!error && sync)
        error = syncFolderOf(path);
    if (error && linked)
        ::unlink(path.c_str());
    return error;
}

} // namespace

std::error_code writeNewFileDurably(const std::filesystem::path &path, std::string_view bytes)
{
    return writeNew(path, bytes, true);
}

std::error_code makePrivateFolder(const std::filesystem::path &folder)
{
    return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST ? std::error_code() : lastError();
}

std::error_code privateFolder(const std::filesystem::path &folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0)
        return lastError();
    if (info.st_uid != ::geteuid())
        return WriteRefusal::notTheUsersFolder;
    if (info.st_mode & (S_IWGRP | S_IWOTH))
        return WriteRefusal::folderOpenToOthers;
    return {};
}

std::error_code appendToFile(const std::filesystem::path &path, std::string_view bytes, bool durably)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0)
        return lastError();
    std::error_code error = writeAll(fd, bytes, durably);
    if (::close(fd) != 0 && !error)
        error = lastError();
    return error;
}

std::error_code readFile(const std::filesystem::path &path, std::string &bytes, std::size_t most, std::uint64_t largest)
{
    bytes.clear();
    // Without blocking: a FIFO would wait for a writer; not through a link (ELOOP).
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0)
        return errno == ELOOP ? make_error_code(WriteRefusal::notARegularFile) : lastError();
    struct stat info {};
    std::error_code error;
    if (::fstat(fd, &info) != 0)
        error = lastError();
    else if (!S_ISREG(info.st_mode))
        error = WriteRefusal::notARegularFile;
    else if (static_cast<std::uint64_t>(info.st_size) > largest)
        error = std::make_error_code(std::errc::file_too_large);
    char buffer[65536];
    while (!error) {
        const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, most - bytes.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            error = lastError();
        if (got <= 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() == most)
            break;
    }
    ::close(fd);
    return error;
}

} // namespace sys
