// The listing file of a folder's file names: the folder's full path and the names,
// framed by two rules and followed by their number, one per line with CR LF ends.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace listing {

// One name or path as the text of the one line it takes: marks written after
// their character are composed with it, a byte that is not part of valid UTF-8
// becomes "?" one for one, and so does a control character, so that a name
// holding a line feed stays on its line (and the mark U+FFFD, which code page
// 932 has no place for).
std::u16string lineText(const std::filesystem::path &name);

// The listing file's bytes: the lines' text in code page 932, "?" for what it
// cannot hold. A name (or a folder in the path) that is not valid UTF-8 but is
// Shift_JIS, as from an old Japanese archive, is written as its own bytes.
std::error_code listingBytes(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &names,
                             std::string &bytes);

// Writes the listing to the file `target`, whole or not at all; a target that is
// there but is not a regular file (a folder, a FIFO, a device node) is refused
// and left as it is. A link to a file writes that file.
std::error_code writeListing(const std::filesystem::path &target, const std::filesystem::path &folder,
                             const std::vector<std::filesystem::path> &names);

} // namespace listing
