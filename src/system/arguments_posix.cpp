// programArguments here: argv as it is.
#include "system/arguments.h"

namespace sys {

std::vector<std::string> programArguments(int argc, char *argv[])
{
    return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

} // namespace sys
