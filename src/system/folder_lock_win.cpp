// FolderLock on Windows: a mutex named after the folder, which Windows hands on
// when the process that held it ends, however it ends.
#include "system/folder_lock.h"

#include "system/last_error.h"
#include "system/paths.h"

#include <string>
#include <windows.h>

namespace sys {

FolderLock::~FolderLock()
{
    unlock();
}

std::error_code FolderLock::lock(const std::filesystem::path &folder, bool wait)
{
    unlock();
    const std::filesystem::path plain = plainFolder(folder);
    const std::string mark = pathsMark({&plain});
    const std::wstring name = L"Local\\mojik-journals-" + std::wstring(mark.begin(), mark.end());
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    if (!mutex)
        return lastError();
    const DWORD got = WaitForSingleObject(mutex, wait ? INFINITE : 0);
    // Abandoned: its holder ended without letting it go, and it is ours now.
    if (got == WAIT_OBJECT_0 || got == WAIT_ABANDONED) {
        m_handle = reinterpret_cast<std::intptr_t>(mutex);
        return {};
    }
    const std::error_code error =
        got == WAIT_TIMEOUT ? std::make_error_code(std::errc::resource_unavailable_try_again) : lastError();
    CloseHandle(mutex);
    return error;
}

void FolderLock::unlock()
{
    if (m_handle != -1) {
        ReleaseMutex(reinterpret_cast<HANDLE>(m_handle));
        CloseHandle(reinterpret_cast<HANDLE>(m_handle));
    }
    m_handle = -1;
}

} // namespace sys
