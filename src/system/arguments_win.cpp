// programArguments on Windows: the UTF-16 command line, split as the C runtime
// splits it, in UTF-8.
#include "system/arguments.h"

#include "system/paths.h"

#include <windows.h>

#include <shellapi.h>

namespace sys {

std::vector<std::string> programArguments(int, char *[])
{
    int count = 0;
    wchar_t **const words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i)
        arguments.push_back(pathBytes(std::filesystem::path(words[i])));
    LocalFree(words);
    return arguments;
}

} // namespace sys
