// mojikbas: the desktop folder as the shell records it in the registry.
#pragma once

#include "system/registry.h"

#include <filesystem>

namespace mojikbas {

// The full path of the user's desktop folder, or an empty path when it cannot be read.
std::filesystem::path dir(const sys::Registry &registry = sys::Registry::native());

// The Desktop value whatever its length, to tell the user why dir found no folder.
struct DesktopSetting {
    enum class State { missing, fits, tooLong };
    State state;
    std::filesystem::path path; // the value whole; empty when missing
    std::size_t bytes;          // its size in the registry, its NUL included
};

inline constexpr std::size_t kDirBytes = 250; // the most dir reads, NUL included

DesktopSetting desktopSetting(const sys::Registry &registry = sys::Registry::native());

} // namespace mojikbas
