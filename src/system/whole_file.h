// Files written whole: the listing file, all or nothing, and the journals, which
// must be on the disk before what depends on them happens.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace sys {

// Why writeWholeFile refused a target before writing anything, readFile a file,
// or privateFolder a folder: a refusal of the program's own, not an error the
// system reported.
enum class WriteRefusal { notARegularFile = 1, notTheUsersFolder, folderOpenToOthers };

std::error_code make_error_code(WriteRefusal refusal);

// Makes `bytes` the whole content of the file `target`, all or nothing: they go
// to a new file beside it, which takes its place only once all of it is on disk,
// so that a failure (a full disk, say) leaves the old file whole and nothing new
// behind. A link is followed and the file it leads to is written. A target that
// exists and is not a regular file (a folder, a FIFO, a device node) is refused
// with WriteRefusal::notARegularFile.
std::error_code writeWholeFile(const std::filesystem::path &target, std::string_view bytes);

// Creates `path`, which must not exist yet, with `bytes`, and returns only once
// the file and its name in the folder are on the disk. The file appears whole or
// not at all, even to a process killed halfway; on failure no part of it is left
// behind.
std::error_code writeNewFileDurably(const std::filesystem::path &path, std::string_view bytes);

// The same without waiting for the disk, for many files that syncFiles then
// brings to it in one go: one wait, where each file's own would cost a
// commit of the file system's journal. Windows, which has no such call
// for a user, waits for each file all the same.
std::error_code writeNewFile(const std::filesystem::path &path, std::string_view bytes);

// Returns once every file written in `folder`'s file system, and every name
// given there, is on the disk.
std::error_code syncFiles(const std::filesystem::path &folder);

// Whether `folder` is one whose files the user can trust, as ssh asks of
// ~/.ssh: owned by the user (notTheUsersFolder) and writable by no one else
// (folderOpenToOthers).
std::error_code privateFolder(const std::filesystem::path &folder);

// Appends `bytes` to the existing file `path`, without waiting for the disk: a
// mark after a run, which nothing needs to survive a crash (undo reads the
// names as they are), and which would else wait for every rename to be written.
// A link is not followed, and a FIFO is never waited on.
std::error_code appendToFile(const std::filesystem::path &path, std::string_view bytes);

// The content of `path`, or its first `most` bytes. Anything but a regular file
// (a link, a FIFO, a device node) is refused with WriteRefusal::notARegularFile,
// without waiting on it; a file of more than `largest` bytes with
// std::errc::file_too_large, unread.
std::error_code readFile(const std::filesystem::path &path, std::string &bytes, std::size_t most = SIZE_MAX,
                         std::uint64_t largest = UINT64_MAX);

} // namespace sys

template <>
struct std::is_error_code_enum<sys::WriteRefusal> : std::true_type {};
