// Renaming entries of one folder without ever replacing another, learning once
// what the folder's file system does rather than asking it again for every file.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace sys {

class OpenFolder;

// The start of the temporary names of one run's changes of case: this process
// and this moment, so that no other program makes such names.
std::string newTemporaryStem();

// The temporary name a change of case between `a` and `b`, either way, goes
// through: the stem and a mark of the two names. Whoever keeps the stem finds a
// file that a crash left between the two steps, and knows the names it had.
std::filesystem::path temporaryName(const std::string &stem, const std::filesystem::path &a,
                                    const std::filesystem::path &b);

// Made once for a run of renames in one folder, from every name the folder held
// when it was read before the run (listAllNames: hidden files and subfolders
// included, in the system's own bytes). It keeps those names up to date with its
// own renames, so telling whether an entry is spelt exactly so costs no system
// call (hand them over with std::move: it keeps them); and it learns at the first rename that shows it whether the file system
// refuses the kernel's no-replace flag, refuses hard links, or folds letter case,
// and takes the right way from then on.
class Renamer {
public:
    // Its temporary names begin with `temporaryStem`.
    Renamer(const std::filesystem::path &folder, std::vector<std::filesystem::path> names,
            std::string temporaryStem = newTemporaryStem());
    // The same in the folder held open, whatever its path leads to now; it
    // must stay open as long as the renamer is used.
    Renamer(const OpenFolder &folder, std::vector<std::filesystem::path> names,
            std::string temporaryStem = newTemporaryStem());
    ~Renamer();
    Renamer(Renamer &&) noexcept;
    Renamer &operator=(Renamer &&) noexcept;

    // Renames the entry `from` to `to`, two bare names in the folder, without ever
    // replacing another entry: file_exists when `to` names another one, by the
    // names read or by the file system now. A change of letter case alone on a
    // case-insensitive file system goes through temporaryName(), and the old name
    // comes back if the second step fails. A name leaving its temporary name goes
    // straight to `to`.
    std::error_code rename(const std::filesystem::path &from, const std::filesystem::path &to);

    // Where a crash between the two steps of a rename through a hard link left
    // `extra` as a second name of the file `kept`, takes `extra` away and
    // answers true. False, with nothing done, where they are two files (or the
    // system renames in one step, as Windows does).
    bool dropSecondName(const std::filesystem::path &kept, const std::filesystem::path &extra, std::error_code &error);

    // Whether the file system has shown, at a change of case, that it gives every
    // entry exactly the spelling asked for, so that no rename it took can have
    // kept an old spelling. False until then, and where it has not.
    bool keepsSpellings() const;

private:
    struct Folder; // what each system keeps and learns
    std::unique_ptr<Folder> m_folder;
};

} // namespace sys
