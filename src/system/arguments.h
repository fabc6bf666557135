// The program's arguments as bytes, the way paths are kept as bytes.
#pragma once

#include <string>
#include <vector>

namespace sys {

// The arguments after the program's name: their own bytes here; on Windows the
// system's UTF-16 command line in UTF-8, since `argv` there holds only what the
// ANSI code page can spell. sys::pathFromBytes makes a path of one exactly.
std::vector<std::string> programArguments(int argc, char *argv[]);

} // namespace sys
