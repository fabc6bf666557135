// pathFromAnsi where the ANSI code page is the locale's UTF-8: the bytes are the path's own.
#include "system/ansi.h"

#include <string>

namespace sys {

std::filesystem::path pathFromAnsi(std::string_view bytes)
{
    return std::filesystem::path(std::string(bytes));
}

} // namespace sys
