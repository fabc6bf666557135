// Work for the second core: a thread of its own while the caller goes on.
#pragma once

#include <future>
#include <system_error>
#include <type_traits>

namespace sys {

// Starts `work` on a new thread; where the system gives no thread, or `big`
// says the work is too small to pay for starting one (tens of microseconds),
// it runs when its result is asked for. Either way the future holds what it
// returned or threw, and the thread is waited for before the future goes.
template <typename Work>
std::future<std::invoke_result_t<Work>> beside(Work work, bool big = true)
{
    if (!big)
        return std::async(std::launch::deferred, std::move(work));
    try {
        return std::async(std::launch::async, work);
    } catch (const std::system_error &) {
        return std::async(std::launch::deferred, std::move(work));
    }
}

} // namespace sys
