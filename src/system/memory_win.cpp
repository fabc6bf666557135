// keepFreedMemory on Windows, whose heap keeps freed blocks for reuse by itself.
#include "system/memory.h"

namespace sys {

void keepFreedMemory() {}

} // namespace sys
