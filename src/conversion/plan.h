// Which listed files a run renames, and which it leaves with a reason, decided
// before the first rename so that no rename ever replaces another file.
#pragma once

#include "conversion/name_set.h"
#include "text/shift_jis_names.h"

#include <filesystem>
#include <future>
#include <initializer_list>
#include <optional>
#include <vector>

namespace conversion {

enum class Case { Upper, Lower };

// What a run can do to a name, in the order the steps apply: its encoding
// (text::utf8Name), its composition (text::composed), its width
// (text::narrowed, text::widenedKana) and its case (text::upperCase, text::lowerCase).
enum class Conversion { Utf8, Compose, Narrow, WideKana, Upper, Lower };

// The steps of one run, each once, in the order above whatever order they were asked in.
class Conversions {
public:
    Conversions() = default;
    Conversions(Case mode); // a run to one case, as the window's 実　行 makes
    Conversions(std::initializer_list<Conversion> steps);
    void add(Conversion step);
    bool has(Conversion step) const;
    const std::vector<Conversion> &steps() const { return m_steps; }

private:
    std::vector<Conversion> m_steps;
};

// Which part of a name a run converts. The extension is what follows the last
// dot; a name without one, or whose only dot leads it, has none. The encoding
// is always the whole name's: a name's bytes are in one.
enum class Part { All, Name, Extension };

enum class SkipReason {
    Taken,     // another entry of the folder already has the new name
    Shared,    // another listed file would get the same new name
    NotText,   // the name's bytes are not valid text: changing them could corrupt it
    ShiftJis,  // the name reads as text but may be Shift_JIS bytes: changing them could corrupt it
    Undecided, // to UTF-8: the name reads both as UTF-8 and as Shift_JIS, and neither it nor the folder tells which
    TooLong,   // the new name is longer than the folder's file system takes
    NotAFile,  // the entry is no longer a file (a folder, say, took its place after the list showed it)
};

// A file's name with `part` converted, in the system's bytes, where its encoding
// is `encoding` (text::encodingsOf); else why it is left as it is: a name that
// is not text, or may be Shift_JIS, is converted only to UTF-8, since changing
// its bytes could corrupt it.
struct Converted {
    std::filesystem::path name;
    std::optional<SkipReason> left;
};
Converted convertedName(const std::filesystem::path &name, const Conversions &conversions, Part part,
                        text::Encoding encoding);

// The same for a name judged with what its folder said (text::encodingOf);
// nothing where it is left.
std::optional<std::filesystem::path> convertedPath(const std::filesystem::path &name, const Conversions &conversions,
                                                   Part part = Part::All, text::Evidence evidence = {});

struct Skip {
    std::filesystem::path name;
    std::filesystem::path newName; // empty where the name is left for its bytes (NotText, ShiftJis, Undecided)
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
// `evidence`, where given, is set to what the listed names say of their encoding.
Plan planRun(const std::vector<std::filesystem::path> &listed, std::future<FolderChecks> checks,
             const Conversions &conversions, Part part = Part::All, text::Evidence *evidence = nullptr);

// After a run that made every rename of the plan: the names it gave that the
// folder, read again, does not list. Some case-insensitive file systems accept a
// change of case alone and keep the old spelling.
std::vector<std::filesystem::path> unchangedNames(const Plan &plan, const std::vector<std::filesystem::path> &listedNow);

} // namespace conversion
