// keepFreedMemory on Windows, whose heap keeps freed blocks for reuse by itself.
#include "platform/memory.h"

namespace platform {

void keepFreedMemory() {}

} // namespace platform
