// writeNewFileDurably, appendToFile and readFile with POSIX calls.
#include "system/durable_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace sys {

namespace {

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

std::error_code writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

// The folder's own entry for the new name reaches the disk only with the folder.
std::error_code syncFolderOf(const std::filesystem::path &path)
{
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    const std::error_code error = ::fsync(fd) == 0 ? std::error_code() : lastError();
    ::close(fd);
    return error;
}

} // namespace

std::error_code writeNewFileDurably(const std::filesystem::path &path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return lastError();
    std::error_code error = writeAll(fd, bytes);
    if (!error && ::fsync(fd) != 0)
        error = lastError();
    if (::close(fd) != 0 && !error)
        error = lastError();
    if (!error)
        error = syncFolderOf(path);
    if (error)
        ::unlink(path.c_str());
    return error;
}

std::error_code appendToFile(const std::filesystem::path &path, std::string_view bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    std::error_code error = writeAll(fd, bytes);
    if (::close(fd) != 0 && !error)
        error = lastError();
    return error;
}

std::error_code readFile(const std::filesystem::path &path, std::string &bytes, std::size_t most)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    std::error_code error;
    char buffer[65536];
    for (;;) {
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
