// lastError on Windows.
#include "system/last_error.h"

#include <windows.h>

namespace sys {

std::error_code lastError()
{
    return {static_cast<int>(GetLastError()), std::system_category()};
}

} // namespace sys
