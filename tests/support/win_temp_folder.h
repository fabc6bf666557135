// A fresh temporary folder for one Windows test, removed afterwards, and the
// working folder put back as the test found it. Standard library and Win32 only.
#pragma once

#include "support/folder_contents.h"

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace testing_support {

class WinTempFolder : public FolderContents {
public:
    // Under `parent`, or the system's temporary folder by default.
    explicit WinTempFolder(const std::filesystem::path &parent = std::filesystem::temp_directory_path())
        : m_start(std::filesystem::current_path())
    {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
            const std::filesystem::path candidate =
                parent / (L"mojik-test-" + std::to_wstring(GetCurrentProcessId()) + L'-' + std::to_wstring(counter++));
            if (CreateDirectoryW(candidate.c_str(), nullptr))
                m_path = candidate;
        }
        EXPECT_FALSE(m_path.empty()) << "no temporary folder under " << parent.string();
    }
    ~WinTempFolder()
    {
        std::error_code error;
        std::filesystem::current_path(m_start, error);
        // Read-only, hidden and system attributes would stop the removal.
        for (const auto &entry : std::filesystem::recursive_directory_iterator(m_path, error))
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove_all(m_path, error);
    }
    WinTempFolder(const WinTempFolder &) = delete;
    WinTempFolder &operator=(const WinTempFolder &) = delete;

private:
    std::filesystem::path m_start;
};

// Whether the tests run under Wine, in a throwaway prefix that they may change
// (the registry, the drive links) as they never would on a real Windows.
inline bool underWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

} // namespace testing_support
