// The system's report of the call that just failed, as an error code.
#pragma once

#include <system_error>

namespace sys {

// errno here, GetLastError() on Windows; read it before any other call.
std::error_code lastError();

} // namespace sys
