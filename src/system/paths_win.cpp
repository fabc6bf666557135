// resolvedFolder and sameFolder on Windows, which takes ".." by the text of the
// path and a name in any letter case for the same file.
#include "system/paths.h"

#include <windows.h>

namespace sys {

std::filesystem::path resolvedFolder(const std::filesystem::path &path)
{
    return plainFolder(path);
}

bool sameFolder(const std::filesystem::path &a, const std::filesystem::path &b)
{
    // Ordinal, as the file systems compare names, not by a language's rules.
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.native().size()), b.c_str(),
                                static_cast<int>(b.native().size()), TRUE) == CSTR_EQUAL;
}

} // namespace sys
