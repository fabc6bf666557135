// An error as a POSIX call reports it, for comparing with what a rename returned.
#pragma once

#include <system_error>

namespace testing_support {

inline std::error_code errnoCode(int value)
{
    return {value, std::generic_category()};
}

} // namespace testing_support
