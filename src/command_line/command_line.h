// The command line: the window's run, its undo and its listing for scripts, with
// no display needed.
#pragma once

#include "command_line/options.h"

namespace command_line {

// The exit codes.
enum Exit {
    kDone = 0,     // every listed name is in the case asked for (for --undo: every name is back)
    kLeft = 1,     // some names were left alone
    kUsage = 2,    // the arguments were wrong
    kStopped = 3,  // a refused rename stopped the run, or a folder or journal could not be read or written
};

// Does what the options ask, other than opening the window: the plan on standard
// output, messages in Japanese on standard error. Returns the exit code.
int run(const Options &options);

} // namespace command_line
