// forEachEntry: getdents64 in batches, on a reading thread once a folder shows
// that it holds more than one batch.
#include "system/entries_posix.h"
#include "system/last_error.h"

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace sys {

namespace {

constexpr std::size_t kBatch = 64 * 1024; // a couple of thousand entries

struct Batch {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
};

// Reads the next batch: false at the end, or on a failure, which `error` then holds.
bool readBatch(int fd, Batch &batch, std::error_code &error)
{
    batch.bytes = std::make_unique_for_overwrite<char[]>(kBatch);
    const ssize_t read = ::getdents64(fd, batch.bytes.get(), kBatch);
    if (read < 0) {
        error = lastError();
        return false;
    }
    batch.size = static_cast<std::size_t>(read);
    return read > 0;
}

void forEachIn(const Batch &batch, const std::function<void(const dirent &)> &each)
{
    for (std::size_t at = 0; at < batch.size;) {
        // The kernel lays the records out as the C library's dirent, each aligned.
        const auto *entry = reinterpret_cast<const dirent *>(batch.bytes.get() + at);
        at += entry->d_reclen;
        each(*entry);
    }
}

// The batches the reading thread has read, handed over in order.
class Handover {
public:
    void put(Batch batch)
    {
        const std::lock_guard lock(m_mutex);
        m_batches.push_back(std::move(batch));
        m_ready.notify_one();
    }
    void end(std::error_code error)
    {
        const std::lock_guard lock(m_mutex);
        m_error = error;
        m_ended = true;
        m_ready.notify_one();
    }
    // The next batch; false once the reading ended and every batch was taken.
    bool take(Batch &batch)
    {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [&] { return !m_batches.empty() || m_ended; });
        if (m_batches.empty())
            return false;
        batch = std::move(m_batches.front());
        m_batches.pop_front();
        return true;
    }
    void stop()
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    bool stopped()
    {
        const std::lock_guard lock(m_mutex);
        return m_stopped;
    }
    std::error_code error()
    {
        const std::lock_guard lock(m_mutex);
        return m_error;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Batch> m_batches;
    std::error_code m_error;
    bool m_ended = false;
    bool m_stopped = false; // the caller left early (`each` threw): read no more
};

std::error_code readHere(int fd, Batch &batch, const std::function<void(const dirent &)> &each)
{
    std::error_code error;
    do
        forEachIn(batch, each);
    while (readBatch(fd, batch, error));
    return error;
}

} // namespace

std::error_code forEachEntry(int fd, const std::function<void(const dirent &)> &each)
{
    std::error_code error;
    Batch batch;
    if (!readBatch(fd, batch, error))
        return error;
    // A first batch with room to spare held the whole folder, or nearly.
    if (batch.size + 1024 < kBatch)
        return readHere(fd, batch, each);

    Handover handover;
    std::thread reader;
    try {
        reader = std::thread([fd, &handover] {
            Batch next;
            std::error_code failure;
            while (!handover.stopped() && readBatch(fd, next, failure))
                handover.put(std::move(next));
            handover.end(failure);
        });
    } catch (const std::system_error &) {
        return readHere(fd, batch, each); // no thread to be had: all here, as a small folder
    }
    // The reader is stopped and waited for however this ends.
    struct Joiner {
        Handover &handover;
        std::thread &reader;
        ~Joiner()
        {
            handover.stop();
            reader.join();
        }
    } joiner{handover, reader};
    forEachIn(batch, each);
    while (handover.take(batch))
        forEachIn(batch, each);
    return handover.error();
}

} // namespace sys
