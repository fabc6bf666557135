// dir: the desktop folder from the registry.
#include "mojikbas/dir.h"

namespace mojikbas {

std::filesystem::path dir(const platform::Registry &)
{
    return {};
}

} // namespace mojikbas
