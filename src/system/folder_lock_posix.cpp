// FolderLock on POSIX systems: flock on the folder itself, or, where the file
// system takes no flock on a folder (NFS emulates it with record locks, which
// need a file open for writing), a record lock on a file in it.
#include "system/folder_lock.h"

#include "system/last_error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sys {

namespace {

std::error_code busyOr(std::error_code error)
{
    return error == std::errc::resource_unavailable_try_again || error == std::errc::operation_would_block
               ? std::make_error_code(std::errc::resource_unavailable_try_again)
               : error;
}

int recordLock(const std::filesystem::path &folder, bool wait)
{
    const int fd = ::open((folder / ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return -1;
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    int done;
    while ((done = ::fcntl(fd, wait ? F_SETLKW : F_SETLK, &whole)) != 0 && errno == EINTR) {
    }
    if (done == 0)
        return fd;
    const int failure = errno == EACCES ? EAGAIN : errno;
    ::close(fd);
    errno = failure;
    return -1;
}

} // namespace

FolderLock::~FolderLock()
{
    unlock();
}

std::error_code FolderLock::lock(const std::filesystem::path &folder, bool wait)
{
    unlock();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return lastError();
    int done;
    while ((done = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB))) != 0 && errno == EINTR) {
    }
    if (done == 0) {
        m_handle = fd;
        return {};
    }
    std::error_code error = lastError();
    ::close(fd);
    if (error == std::errc::bad_file_descriptor || error == std::errc::no_lock_available ||
        error == std::errc::operation_not_supported) {
        const int file = recordLock(folder, wait);
        if (file >= 0) {
            m_handle = file;
            return {};
        }
        error = lastError();
    }
    return busyOr(error);
}

void FolderLock::unlock()
{
    if (m_handle >= 0)
        ::close(static_cast<int>(m_handle)); // closing lets either kind of lock go
    m_handle = -1;
}

} // namespace sys
