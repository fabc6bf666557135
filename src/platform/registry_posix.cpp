// The registry layer of a system without one.
#include "platform/registry.h"

namespace platform {

Registry Registry::native()
{
    return {[](RegKey, const char *, std::uint32_t, std::uint32_t, RegKey *) { return kErrorFileNotFound; },
            [](RegKey, const char *, std::uint32_t *, std::uint32_t *, unsigned char *, std::uint32_t *) {
                return kErrorInvalidHandle;
            },
            [](RegKey) { return kErrorInvalidHandle; }};
}

} // namespace platform
