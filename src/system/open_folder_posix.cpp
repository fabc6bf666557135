// OpenFolder and openFilesLimit on POSIX systems: a descriptor of the folder,
// and its device and inode.
#include "system/open_folder.h"

#include "system/last_error.h"

#include <fcntl.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sys {

namespace {

constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

} // namespace

std::error_code OpenFolder::open(const std::filesystem::path &path)
{
    return take(::open(path.empty() ? "." : path.c_str(), kFlags), path);
}

std::error_code OpenFolder::openIn(const OpenFolder &parent, const std::filesystem::path &name)
{
    return take(::openat(static_cast<int>(parent.handle()), name.c_str(), kFlags | O_NOFOLLOW), parent.path() / name);
}

std::error_code OpenFolder::take(std::intptr_t handle, const std::filesystem::path &path)
{
    const int fd = static_cast<int>(handle);
    const std::error_code opened = fd < 0 ? lastError() : std::error_code();
    close();
    if (opened)
        return opened;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const std::error_code error = lastError();
        ::close(fd);
        return error;
    }
    m_handle = fd;
    m_path = path;
    m_identity = std::to_string(info.st_dev) + ':' + std::to_string(info.st_ino);
    return {};
}

void OpenFolder::close()
{
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle));
    m_handle = -1;
    m_identity.clear();
}

std::size_t openFilesLimit()
{
    rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 1024;
    if (limit.rlim_cur < limit.rlim_max) {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max == RLIM_INFINITY ? rlim_t(1) << 20 : limit.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0)
            limit = raised;
    }
    return limit.rlim_cur == RLIM_INFINITY ? std::size_t(1) << 20 : static_cast<std::size_t>(limit.rlim_cur);
}

} // namespace sys
