// mojikbas: the desktop folder as the shell records it in the registry.
#pragma once

#include "platform/registry.h"

#include <filesystem>

namespace mojikbas {

// The full path of the user's desktop folder, or an empty path when it cannot be read.
std::filesystem::path dir(const platform::Registry &registry = platform::Registry::native());

} // namespace mojikbas
