// Registry::native where there is no system registry: a small one that knows the
// one value the program reads, the desktop folder, as the desktop environment
// defines it.
#include "system/registry.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace sys {

namespace {

constexpr long kErrorInvalidParameter = 87;
constexpr std::uint32_t kRegSz = 1;
constexpr std::string_view kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::string_view kDesktop = "Desktop";
// The handle of the Shell Folders key: any value that is neither 0 nor a predefined key.
constexpr RegKey kShellFoldersKey = 0x100;

std::mutex openMutex;
int openCount = 0; // handles of the Shell Folders key not yet closed

// Registry names compare without regard to letter case.
bool sameName(const char *name, std::string_view known)
{
    if (!name || std::strlen(name) != known.size())
        return false;
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < known.size(); ++i) {
        if (fold(name[i]) != fold(known[i]))
            return false;
    }
    return true;
}

bool isOpen(RegKey key)
{
    const std::lock_guard lock(openMutex);
    return key == kShellFoldersKey && openCount > 0;
}

std::optional<std::filesystem::path> environmentPath(const char *name)
{
    const char *value = std::getenv(name);
    if (!value || !*value)
        return std::nullopt;
    return std::filesystem::path(value);
}

// The value of XDG_DESKTOP_DIR in user-dirs.dirs: lines of NAME="$HOME/folder" or
// NAME="/absolute/folder", backslash escaping the next character; the last line wins.
std::optional<std::filesystem::path> configuredDesktop(const std::filesystem::path &home)
{
    std::optional<std::filesystem::path> config = environmentPath("XDG_CONFIG_HOME");
    if (!config || config->is_relative())
        config = home / ".config";
    std::ifstream in(*config / "user-dirs.dirs");
    constexpr std::string_view homeVariable = "$HOME";
    std::optional<std::filesystem::path> found;
    std::string line;
    while (std::getline(in, line)) {
        std::string_view rest(line);
        const auto skip = [&rest](std::string_view expected) {
            rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
            if (!rest.starts_with(expected))
                return false;
            rest.remove_prefix(expected.size());
            return true;
        };
        if (!skip("XDG_DESKTOP_DIR") || !skip("=") || !skip("\""))
            continue;
        std::string value;
        bool closed = false;
        for (std::size_t i = 0; i < rest.size() && !closed; ++i) {
            if (rest[i] == '"')
                closed = true;
            else if (rest[i] == '\\' && i + 1 < rest.size())
                value += rest[++i];
            else
                value += rest[i];
        }
        if (!closed)
            continue;
        if (value == homeVariable || value.starts_with("$HOME/"))
            found = value.size() <= homeVariable.size() + 1 ? home : home / value.substr(homeVariable.size() + 1);
        else if (value.starts_with('/'))
            found = std::filesystem::path(value);
    }
    return found;
}

// The user's desktop folder as set, whether or not it is there, as the registry
// keeps a path; nothing without a home folder.
std::optional<std::string> desktopFolder()
{
    const std::optional<std::filesystem::path> home = environmentPath("HOME");
    if (!home)
        return std::nullopt;
    return configuredDesktop(*home).value_or(*home / "Desktop").native();
}

long RegOpenKeyExA(RegKey key, const char *subKey, std::uint32_t, std::uint32_t, RegKey *result)
{
    if (!result)
        return kErrorInvalidParameter;
    *result = 0;
    if (key != kHkeyCurrentUser)
        return kErrorInvalidHandle;
    if (!sameName(subKey, kShellFolders))
        return kErrorFileNotFound;
    const std::lock_guard lock(openMutex);
    ++openCount;
    *result = kShellFoldersKey;
    return kErrorSuccess;
}

long RegQueryValueExA(RegKey key, const char *valueName, std::uint32_t *reserved, std::uint32_t *type,
                      unsigned char *data, std::uint32_t *size)
{
    if (key != kHkeyCurrentUser && !isOpen(key))
        return kErrorInvalidHandle;
    if (reserved || (data && !size))
        return kErrorInvalidParameter;
    if (key != kShellFoldersKey || !sameName(valueName, kDesktop))
        return kErrorFileNotFound;
    // Stored as ANSI text, which here is the path's own bytes, with its terminating NUL.
    const std::optional<std::string> text = desktopFolder();
    if (!text)
        return kErrorFileNotFound;
    const auto needed = static_cast<std::uint32_t>(text->size() + 1);
    if (type)
        *type = kRegSz;
    if (!data) {
        if (size)
            *size = needed;
        return kErrorSuccess;
    }
    const bool fits = *size >= needed;
    *size = needed;
    if (!fits)
        return kErrorMoreData;
    std::memcpy(data, text->c_str(), needed);
    return kErrorSuccess;
}

long RegCloseKey(RegKey key)
{
    // Closing a predefined key is allowed and does nothing.
    if (key == kHkeyCurrentUser)
        return kErrorSuccess;
    const std::lock_guard lock(openMutex);
    if (key != kShellFoldersKey || openCount == 0)
        return kErrorInvalidHandle;
    --openCount;
    return kErrorSuccess;
}

} // namespace

Registry Registry::native()
{
    return {RegOpenKeyExA, RegQueryValueExA, RegCloseKey};
}

} // namespace sys
