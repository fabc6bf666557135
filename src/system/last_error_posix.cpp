// lastError on POSIX systems.
#include "system/last_error.h"

#include <cerrno>

namespace sys {

std::error_code lastError()
{
    return {errno, std::generic_category()};
}

} // namespace sys
