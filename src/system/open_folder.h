// A folder held open from the moment a run reads it until its last rename, so
// that every rename lands in the folder that was read, whatever its path leads
// to meanwhile; and the folder's identity, by which undo knows it again.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace sys {

class OpenFolder {
public:
    OpenFolder() = default;
    ~OpenFolder();
    OpenFolder(OpenFolder &&other) noexcept;
    OpenFolder &operator=(OpenFolder &&other) noexcept;

    // Opens the folder `path` leads to. Here it may then move or its path be
    // given to a link: it stays the folder read. On Windows it is opened without
    // letting it be moved, renamed or deleted until it is closed.
    std::error_code open(const std::filesystem::path &path);
    // Opens the subfolder `name` of `parent`, never through a link: one that
    // took its place since it was read is refused.
    std::error_code openIn(const OpenFolder &parent, const std::filesystem::path &name);
    void close();
    bool isOpen() const;

    // The file system's own number for the folder ("device:inode" here, "volume
    // serial:file index" on Windows), the same for as long as the folder lives.
    const std::string &identity() const { return m_identity; }
    const std::filesystem::path &path() const { return m_path; }
    // The descriptor here, the HANDLE on Windows.
    std::intptr_t handle() const { return m_handle; }

private:
    std::error_code take(std::intptr_t handle, const std::filesystem::path &path);

    std::intptr_t m_handle = -1;
    std::filesystem::path m_path;
    std::string m_identity;
};

// What listAllNamesAndFiles tells of a folder, read through the open folder.
std::error_code listAllNamesAndFiles(const OpenFolder &folder, std::vector<std::filesystem::path> &names,
                                     std::vector<bool> &isFile, std::vector<bool> *isFolder = nullptr);

// The longest name the open folder's file system takes (longestName).
std::size_t longestName(const OpenFolder &folder);

// Raises this process's limit of open files as far as the system lets it, and
// returns it: a tree run holds a folder open for each folder it has planned.
std::size_t openFilesLimit();

} // namespace sys
