// Text in the system's ANSI code page, as the registry's ANSI functions hand it over.
#pragma once

#include <filesystem>
#include <string_view>

namespace sys {

// The path spelled by bytes in the ANSI code page (the locale's UTF-8 here).
std::filesystem::path pathFromAnsi(std::string_view bytes);

} // namespace sys
