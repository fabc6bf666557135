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
// privateFolder a folder, or an undo the folder at a journal's path (another
// folder than the run's): a refusal of the program's own, not an error the
// system reported.
enum class WriteRefusal { notARegularFile = 1, notTheUsersFolder, folderOpenToOthers, notTheFolderOfTheRun };

std::error_code make_error_code(WriteRefusal refusal);

// Makes `bytes` the whole content of the file `target`, all or nothing: they go
// to a new file beside it, which takes its place only once all of it is on disk,
// so that a failure (a full disk, say) leaves the old file whole and nothing new
// behind. A link is followed and the file it leads to is written. A target that
// exists and is not a regular file (a folder, a FIFO, a device node) is refused
// with WriteRefusal::notARegularFile.
std::error_code writeWholeFile(const std::filesystem::path &target, std::string_view bytes);

// Creates `path`, which must not exist yet, with `bytes`, and returns only once
// the file and its name in the folder are on the disk (the file's own sync and
// its folder's, never the whole file system's). The file appears whole or not
// at all, even to a process killed halfway; on failure no part of it is left
// behind.
std::error_code writeNewFileDurably(const std::filesystem::path &path, std::string_view bytes);

// Makes the folder `folder` for the user alone at once, whatever the umask, so
// that no moment leaves it open to others; one that is there already is left
// as it is.
std::error_code makePrivateFolder(const std::filesystem::path &folder);

// Whether `folder` is one whose files the user can trust, as ssh asks of
// ~/.ssh: owned by the user (notTheUsersFolder) and writable by no one else
// (folderOpenToOthers).
std::error_code privateFolder(const std::filesystem::path &folder);

// Appends `bytes` to the existing file `path`; with `durably`, returns only
// once they are on the disk. Without, it does not wait: a mark after a run,
// which would else wait for every rename to be written. A link is not
// followed, and a FIFO is never waited on.
std::error_code appendToFile(const std::filesystem::path &path, std::string_view bytes, bool durably = false);

// The content of `path`, or its first `most` bytes. Anything but a regular file
// (a link, a FIFO, a device node) is refused with WriteRefusal::notARegularFile,
// without waiting on it; a file of more than `largest` bytes with
// std::errc::file_too_large, unread.
std::error_code readFile(const std::filesystem::path &path, std::string &bytes, std::size_t most = SIZE_MAX,
                         std::uint64_t largest = UINT64_MAX);

} // namespace sys

template <>
struct std::is_error_code_enum<sys::WriteRefusal> : std::true_type {};
