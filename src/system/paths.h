// One spelling for one folder, so that two paths to it compare equal, and a path as bytes.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace sys {

// The path made absolute and normal, with no trailing separator.
std::filesystem::path plainFolder(const std::filesystem::path &path);

// The folder the system takes the path to, as `cd` and `ls` do, in one spelling:
// here a ".." after a link leaves what the link leads to, and links are
// resolved; on Windows, which takes ".." by the text, plainFolder with the drive
// letter in capitals and each name in the letter case the folder holding it
// gives it. A run acts on it and its journals are kept under it.
std::filesystem::path resolvedFolder(const std::filesystem::path &path);

// Whether two folders, each as plainFolder spells it, are one by their text, as
// the system compares names: exactly here; on Windows letter case aside, where
// "D:\Sub" and "d:\SUB" are one folder.
bool sameFolder(const std::filesystem::path &a, const std::filesystem::path &b);

// A path as bytes to store or print, and back: its own bytes here; on Windows
// UTF-8, in which a surrogate that stands alone has three bytes of its own
// (WTF-8). Exact both ways for any path; bytes that no path gives become
// U+FFFD on Windows.
std::string pathBytes(const std::filesystem::path &path);
// The same added to `out`, with no copy of its own here: for the many names of a run.
void appendPathBytes(std::string &out, const std::filesystem::path &path);
std::filesystem::path pathFromBytes(std::string_view bytes);

// A short mark of the paths, in 16 hex digits (a 64-bit FNV-1a hash of their own
// units, a zero unit between two): the same paths always give the same mark.
std::string pathsMark(std::initializer_list<const std::filesystem::path *> paths);

} // namespace sys
