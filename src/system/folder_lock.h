// One process at a time on the journals: a run or an undo holds the lock of the
// journal store from before it reads its folders to its last mark, so that no
// undo takes back a run still renaming, and no two runs cross.
#pragma once

#include <cstdint>
#include <filesystem>
#include <system_error>

namespace sys {

class FolderLock {
public:
    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    // Takes the lock of the existing `folder`. With `wait`, waits for the
    // process that holds it; without, answers resource_unavailable_try_again at
    // once. The system lets it go when the process ends, however it ends.
    std::error_code lock(const std::filesystem::path &folder, bool wait);
    void unlock();

private:
    std::intptr_t m_handle = -1;
};

} // namespace sys
