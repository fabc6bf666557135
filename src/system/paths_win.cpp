// resolvedFolder on Windows, which takes ".." by the text of the path.
#include "system/paths.h"

namespace sys {

std::filesystem::path resolvedFolder(const std::filesystem::path &path)
{
    return plainFolder(path);
}

} // namespace sys
