// A folder's raw entries, read in batches: for a big folder the system calls run
// on a thread of their own, so that the work on one batch overlaps the reading
// of the next and a read costs about what the kernel takes.
#pragma once

#include <dirent.h>
#include <functional>
#include <system_error>

namespace sys {

// Calls `each` with every entry of the folder open as `fd` ("." and ".."
// included), in the order the system gives them, always on the calling thread.
std::error_code forEachEntry(int fd, const std::function<void(const dirent &)> &each);

} // namespace sys
