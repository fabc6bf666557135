// Registry::native on Windows: advapi32's own ANSI registry functions.
#include "system/registry.h"

#include <windows.h>

namespace sys {

namespace {

// The predefined keys are negative 32-bit numbers widened to a pointer; ours are
// written as their 32-bit values (0x80000001), so they are widened the same way.
HKEY handleOf(RegKey key)
{
    if (key >= 0x80000000u && key <= 0x800000FFu)
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(key))));
    return reinterpret_cast<HKEY>(key);
}

long nativeOpenKey(RegKey key, const char *subKey, std::uint32_t options, std::uint32_t access, RegKey *result)
{
    HKEY opened = nullptr;
    const LONG code = RegOpenKeyExA(handleOf(key), subKey, options, access, &opened);
    if (result)
        *result = reinterpret_cast<RegKey>(opened);
    return code;
}

// DWORD is unsigned long here, std::uint32_t unsigned int: same size, other
// types, so the in-out arguments go through copies.
long nativeQueryValue(RegKey key, const char *valueName, std::uint32_t *reserved, std::uint32_t *type, unsigned char *data,
                      std::uint32_t *size)
{
    DWORD storedType = type ? *type : 0;
    DWORD storedSize = size ? *size : 0;
    const LONG code = RegQueryValueExA(handleOf(key), valueName, reinterpret_cast<LPDWORD>(reserved),
                                       type ? &storedType : nullptr, data, size ? &storedSize : nullptr);
    if (type)
        *type = storedType;
    if (size)
        *size = storedSize;
    return code;
}

long nativeCloseKey(RegKey key)
{
    return RegCloseKey(handleOf(key));
}

} // namespace

Registry Registry::native()
{
    return {nativeOpenKey, nativeQueryValue, nativeCloseKey};
}

} // namespace sys
