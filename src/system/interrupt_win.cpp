// stopOnInterrupt and interrupted on Windows: the console's control events.
#include "system/interrupt.h"

#include <atomic>
#include <windows.h>

namespace sys {

namespace {

std::atomic<bool> g_interrupted{false};

BOOL WINAPI onControl(DWORD)
{
    // The second request goes on to the default handler, which ends the process.
    return g_interrupted.exchange(true) ? FALSE : TRUE;
}

} // namespace

void stopOnInterrupt()
{
    SetConsoleCtrlHandler(onControl, TRUE);
}

bool interrupted()
{
    return g_interrupted;
}

} // namespace sys
