// dir: the desktop folder from the registry.
#include "mojikbas/dir.h"

#include "system/ansi.h"

#include <array>
#include <string_view>

namespace mojikbas {

namespace {

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kDesktop[] = "Desktop";
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kRegSz = 1;

} // namespace

std::filesystem::path dir(const sys::Registry &registry)
{
    std::array<unsigned char, 250> buffer{};
    std::uint32_t size = buffer.size();
    sys::RegKey key = 0;

    // Not checked: a key that did not open stays 0, and the query on it fails.
    registry.openKey(sys::kHkeyCurrentUser, kShellFolders, 0, kKeyAllAccess, &key);
    // The type the query writes back is not looked at: any stored type is read as text.
    std::uint32_t type = kRegSz;
    const long queried = registry.queryValue(key, kDesktop, nullptr, &type, buffer.data(), &size);

    std::filesystem::path result;
    if (queried == sys::kErrorSuccess) {
        const std::string_view bytes(reinterpret_cast<const char *>(buffer.data()), buffer.size());
        result = sys::pathFromAnsi(bytes.substr(0, bytes.find('\0')));
    }
    registry.closeKey(key);
    return result;
}

} // namespace mojikbas
