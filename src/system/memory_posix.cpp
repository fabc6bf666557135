// keepFreedMemory with glibc's malloc.
#include "system/memory.h"

#include <malloc.h>

namespace sys {

void keepFreedMemory()
{
    // Lists of up to 32 MB come from the heap rather than from a mapping of their
    // own, which would be unmapped when freed; and up to 64 MB free at the heap's
    // top stays there. Both are hints: where refused, only the speed differs.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}

} // namespace sys
