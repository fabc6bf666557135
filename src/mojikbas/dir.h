// mojikbas: the desktop folder as the shell records it in the registry.
#pragma once

#include "system/registry.h"

#include <filesystem>

namespace mojikbas {

// The full path of the user's desktop folder, or an empty path when it cannot be read.
std::filesystem::path dir(const sys::Registry &registry = sys::Registry::native());

} // namespace mojikbas
