// stopOnInterrupt and interrupted on POSIX systems: SIGINT and SIGTERM.
#include "system/interrupt.h"

#include <csignal>

namespace sys {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onSignal(int)
{
    g_interrupted = 1;
}

} // namespace

void stopOnInterrupt()
{
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND; // the second signal finds the default action: the process ends
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool interrupted()
{
    return g_interrupted != 0;
}

} // namespace sys
