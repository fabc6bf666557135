// Ctrl+C and a request to end (SIGTERM here, a console's close on Windows) as a
// request to stop between two steps, so that what was done can still be told.
#pragma once

namespace sys {

// From now on the first such request only sets interrupted(); a second one ends
// the process as usual.
void stopOnInterrupt();

// Whether a request to stop came since stopOnInterrupt.
bool interrupted();

} // namespace sys
