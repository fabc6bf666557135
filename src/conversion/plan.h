// Which listed files a run renames, and which it leaves with a reason, decided
// before the first rename so that no rename ever replaces another file.
#pragma once

#include "conversion/name_set.h"

#include <filesystem>
#include <future>
#include <optional>
#include <vector>

namespace conversion {

enum class Case { Upper, Lower };

// Which part of a name a run converts. The extension is what follows the last
// dot; a name without one, or whose only dot leads it, has none.
enum class Part { All, Name, Extension };

// A file's name with `part` in the chosen case, in the system's bytes; nothing
// where the name is not valid text, since changing its bytes could corrupt it.
std::optional<std::filesystem::path> convertedPath(const std::filesystem::path &name, Case mode,
                                                   Part part = Part::All);

enum class SkipReason {
    Taken,     // another entry of the folder already has the new name
    Shared,    // another listed file would get the same new name
    NotText,   // the name's bytes are not valid text: changing them could corrupt it
    ShiftJis,  // the name reads as text but may be Shift_JIS bytes: changing them could corrupt it
    TooLong,   // the new name is longer than the folder's file system takes
    NotAFile,  // the entry is no longer a file (a folder, say, took its place after the list showed it)
};

struct Skip {
    std::filesystem::path name;
    std::filesystem::path newName; // empty for NotText
    SkipReason reason;
};

struct Plan {
    std::vector<bool> rename;                     // one flag per listed name
    std::vector<std::filesystem::path> newNames; // one per listed name; empty where it stays
    std::vector<Skip> skipped;
};

// The folder as read just before the run.
struct FolderNow {
    std::vector<std::filesystem::path> names; // every entry, hidden ones and subfolders included
    std::vector<bool> isFile;                 // for each of them, whether the run lists it (as the file list shows
                                              // a file; the command line may list subfolders too)
    std::size_t longestName = 255;            // the longest name its file system takes
};

// What every listed name is checked against: views of the folder's names, which
// stay as they are while the checks are used.
struct FolderChecks {
    explicit FolderChecks(const FolderNow &folder);
    NameSet present;  // every entry
    NameSet notFiles; // the entries the file list would not show
    std::size_t longestName;
};

// `listed` are the file list's entries. The new names are worked out while
// `checks` are being built, on another thread where one can be had.
Plan planRun(const std::vector<std::filesystem::path> &listed, std::future<FolderChecks> checks, Case mode,
             Part part = Part::All);

// After a run that made every rename of the plan: the names it gave that the
// folder, read again, does not list. Some case-insensitive file systems accept a
// change of case alone and keep the old spelling.
std::vector<std::filesystem::path> unchangedNames(const Plan &plan, const std::vector<std::filesystem::path> &listedNow);

} // namespace conversion
