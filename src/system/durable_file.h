// Files that must survive a crash: written whole and on the disk before what
// depends on them happens, and marks added to them afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace sys {

// Creates `path`, which must not exist yet, with `bytes`, and returns only once
// the file and its name in the folder are on the disk. On failure no part of it
// is left behind.
std::error_code writeNewFileDurably(const std::filesystem::path &path, std::string_view bytes);

// Appends `bytes` to the existing file `path`.
std::error_code appendToFile(const std::filesystem::path &path, std::string_view bytes);

// The content of `path`, or its first `most` bytes.
std::error_code readFile(const std::filesystem::path &path, std::string &bytes, std::size_t most = SIZE_MAX);

} // namespace sys
