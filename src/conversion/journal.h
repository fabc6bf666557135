// A run's journal: the folder and every old and new name, written before the
// first rename, so that the run can be taken back whatever happens to it.
#pragma once

#include "conversion/plan.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace conversion {

struct Journal {
    std::filesystem::path folder; // absolute; every name below is a bare name in it
    Case mode = Case::Upper;
    std::string group;            // shared by the folders of one recursive run; empty otherwise
    std::filesystem::path root;   // the folder a recursive run started from; empty otherwise
    // Where its changes of case went through (sys::temporaryName); empty in the
    // journals of versions that did not say.
    std::string temporaryStem;
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> pairs; // old name, new name
    std::size_t done = 0; // how many of the pairs, in order, the run had renamed when it last said
    bool undone = false;
};

// The journal as written before the run: everything but the marks after it.
std::string journalBytes(const Journal &journal);
// The same with the pairs given apart: from[i] and to[i] wherever taken[i], so
// that a run's names need not be copied into a Journal first.
std::string journalBytes(const Journal &header, const std::vector<std::filesystem::path> &from,
                         const std::vector<std::filesystem::path> &to, const std::vector<bool> &taken);

// The marks a journal takes afterwards, appended at its end.
std::string doneMark(std::size_t done);
std::string undoneMark();

// Reads a journal and its marks. Nothing when it is damaged in any way, or names
// anything but a bare name ("/", "..", an empty name) or a folder that is not a
// full path: a journal is read whole or not at all.
std::optional<Journal> parseJournal(std::string_view bytes);

// The folder a journal is of, from its first kJournalHead bytes; nothing when
// they are not a journal's.
constexpr std::size_t kJournalHead = 70000;

// The largest journal: ext4 keeps a folder's entries in at most 2 GB, and a
// journal holds each name twice. A larger file is no journal of ours, and is
// refused unread.
constexpr std::uint64_t kJournalMost = std::uint64_t(4) << 30;
std::optional<std::filesystem::path> journalFolder(std::string_view head);

// Whether `name` is one entry's own name: no folder part, not "." or "..".
bool isBareName(const std::filesystem::path &name);

} // namespace conversion
