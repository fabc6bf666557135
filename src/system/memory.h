// How the program's heap treats memory it frees.
#pragma once

namespace sys {

// Keeps freed memory in the process for the next use instead of handing it back
// to the system at once. A run over a big folder builds and drops several lists
// of every name; handing their pages back and touching them again costs more
// than the work on the names. A system that offers no such setting is left as it
// is: only the speed depends on it.
void keepFreedMemory();

} // namespace sys
