// The three registry functions the desktop lookup needs, with the return codes and
// size rules of advapi32's ANSI forms: the system's own on Windows, a small layer
// of ours elsewhere. Replaceable in tests.
#pragma once

#include <cstdint>
#include <functional>

namespace sys {

using RegKey = std::uintptr_t; // a key handle; 0 is none
inline constexpr RegKey kHkeyCurrentUser = 0x80000001;
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;

struct Registry {
    std::function<long(RegKey key, const char *subKey, std::uint32_t options, std::uint32_t access, RegKey *result)> openKey;
    std::function<long(RegKey key, const char *valueName, std::uint32_t *reserved, std::uint32_t *type,
                       unsigned char *data, std::uint32_t *size)>
        queryValue;
    std::function<long(RegKey key)> closeKey;

    static Registry native();
};

} // namespace sys
