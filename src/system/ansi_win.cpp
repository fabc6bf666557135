// pathFromAnsi on Windows: the bytes read in the system's ANSI code page.
#include "system/ansi.h"

#include <string>
#include <windows.h>

namespace sys {

std::filesystem::path pathFromAnsi(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), length);
    return std::filesystem::path(text);
}

} // namespace sys
