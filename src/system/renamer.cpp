// temporaryName, the same on every system.
#include "system/renamer.h"

#include "system/paths.h"

namespace sys {

std::filesystem::path temporaryName(const std::string &stem, const std::filesystem::path &a,
                                    const std::filesystem::path &b)
{
    // In one order whichever way the change goes, so that an undo meets the run's name.
    const bool ordered = a.native() < b.native();
    return std::filesystem::path(stem + pathsMark({ordered ? &a : &b, ordered ? &b : &a}) + ".tmp");
}

} // namespace sys
