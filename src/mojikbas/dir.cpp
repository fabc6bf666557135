// dir and desktopSetting: the desktop folder from the registry.
#include "mojikbas/dir.h"

#include "system/ansi.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace mojikbas {

namespace {

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kDesktop[] = "Desktop";
constexpr std::uint32_t kKeyAllAccess = 0xF003F;
constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kRegSz = 1;

std::filesystem::path pathIn(const unsigned char *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    return sys::pathFromAnsi(bytes.substr(0, bytes.find('\0')));
}

} // namespace

std::filesystem::path dir(const sys::Registry &registry)
{
    std::array<unsigned char, kDirBytes> buffer{};
    std::uint32_t size = buffer.size();
    sys::RegKey key = 0;

    // Not checked: a key that did not open stays 0, and the query on it fails.
    registry.openKey(sys::kHkeyCurrentUser, kShellFolders, 0, kKeyAllAccess, &key);
    // The type the query writes back is not looked at: any stored type is read as text.
    std::uint32_t type = kRegSz;
    const long queried = registry.queryValue(key, kDesktop, nullptr, &type, buffer.data(), &size);

    std::filesystem::path result;
    if (queried == sys::kErrorSuccess)
        result = pathIn(buffer.data(), buffer.size());
    registry.closeKey(key);
    return result;
}

DesktopSetting desktopSetting(const sys::Registry &registry)
{
    DesktopSetting setting{DesktopSetting::State::missing, {}, 0};
    sys::RegKey key = 0;
    if (registry.openKey(sys::kHkeyCurrentUser, kShellFolders, 0, kKeyRead, &key) != sys::kErrorSuccess)
        return setting;
    // Asked again with the size the registry wants, a few times in case the value grows meanwhile.
    std::vector<unsigned char> buffer(kDirBytes);
    std::uint32_t size = 0;
    long queried = sys::kErrorMoreData;
    for (int attempt = 0; attempt < 3 && queried == sys::kErrorMoreData; ++attempt) {
        buffer.assign(std::max<std::size_t>(size, buffer.size()), 0);
        size = static_cast<std::uint32_t>(buffer.size());
        std::uint32_t type = kRegSz;
        queried = registry.queryValue(key, kDesktop, nullptr, &type, buffer.data(), &size);
    }
    registry.closeKey(key);
    if (queried != sys::kErrorSuccess)
        return setting;
    setting.path = pathIn(buffer.data(), std::min<std::size_t>(size, buffer.size()));
    setting.bytes = size;
    setting.state = size > kDirBytes ? DesktopSetting::State::tooLong : DesktopSetting::State::fits;
    return setting;
}

} // namespace mojikbas
