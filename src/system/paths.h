// One spelling for one folder, so that two paths to it compare equal.
#pragma once

#include <filesystem>

namespace sys {

// The path made absolute and normal, with no trailing separator.
std::filesystem::path plainFolder(const std::filesystem::path &path);

} // namespace sys
