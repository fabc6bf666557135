// What one folder holds: the entries of the file list, the folder list, and all.
#pragma once

#include <filesystem>
#include <system_error>
#include <vector>

namespace sys {

// The bare names of the files the file list shows, in the system's own bytes:
// no folders, no hidden or system files (names starting with "." here; sockets,
// FIFOs and device nodes), links to files included. Unsorted.
std::error_code listFiles(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names);

// The bare names of the subfolders the folder list shows: links to folders
// included, hidden ones left out. Unsorted.
std::error_code listFolders(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names);

// Every bare name in the folder, hidden files and subfolders included. Unsorted.
std::error_code listAllNames(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names);

// Both at once: every name in the folder, and for each whether the file list
// shows it; with `isFolder`, also whether it is a subfolder a run may enter and
// rename: not hidden, and not a link, whatever it leads to.
std::error_code listAllNamesAndFiles(const std::filesystem::path &folder, std::vector<std::filesystem::path> &names,
                                     std::vector<bool> &isFile, std::vector<bool> *isFolder = nullptr);

// The longest name the folder's file system takes, in the units of a path's own
// string (bytes here, UTF-16 units on Windows).
std::size_t longestName(const std::filesystem::path &folder);

} // namespace sys
