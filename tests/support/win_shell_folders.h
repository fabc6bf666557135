// The Shell Folders key of the current user for one test: its values as the test
// sets them, and the key put back as the test found it.
#pragma once

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace testing_support {

inline constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class ShellFolders {
public:
    ShellFolders()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kShellFoldersW, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return;
        m_saved.emplace();
        for (DWORD i = 0;; ++i) {
            wchar_t name[16384];
            DWORD nameLength = 16384;
            DWORD type = 0;
            DWORD size = 0;
            if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
                break;
            Value value{name, type, std::vector<BYTE>(size)};
            nameLength = 16384;
            RegEnumValueW(key, i, name, &nameLength, nullptr, &type, value.data.data(), &size);
            m_saved->push_back(std::move(value));
        }
        RegCloseKey(key);
    }
    ~ShellFolders()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kShellFolders);
        if (!m_saved)
            return;
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kShellFoldersW, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        for (const Value &value : *m_saved)
            RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
        RegCloseKey(key);
    }
    ShellFolders(const ShellFolders &) = delete;
    ShellFolders &operator=(const ShellFolders &) = delete;

    // The Desktop value as ANSI bytes, stored with their NUL.
    void setDesktop(const std::string &bytes, DWORD type = REG_SZ)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, "Desktop", 0, type, reinterpret_cast<const BYTE *>(bytes.c_str()),
                                 static_cast<DWORD>(bytes.size() + 1)),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }
    void removeDesktop()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
            return;
        RegDeleteValueA(key, "Desktop");
        RegCloseKey(key);
    }
    void removeKey()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kShellFolders);
        HKEY key = nullptr;
        ASSERT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ, &key), ERROR_SUCCESS);
    }

private:
    static constexpr wchar_t kShellFoldersW[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

    struct Value {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
    };
    std::optional<std::vector<Value>> m_saved; // nothing when there was no key
};

} // namespace testing_support
