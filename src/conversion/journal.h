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

// One folder's part of a run: the journal of a run of one folder, or one of the
// folders of a recursive run.
struct Journal {
    std::filesystem::path folder; // absolute; every name below is a bare name in it
    // The folder's identity when the run planned it (sys::OpenFolder::identity);
    // empty in the journals of versions that did not say.
    std::string identity;
    std::string group;            // shared by the folders of one recursive run; empty otherwise
    std::filesystem::path root;   // the folder a recursive run started from; empty otherwise
    // Where its changes of case went through (sys::temporaryName); empty in the
    // journals of versions that did not say.
    std::string temporaryStem;
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> pairs; // old name, new name
    std::size_t done = 0; // how many of the pairs, in order, the run had renamed when it last said
    bool undone = false;
    // Where the folder is once the run renamed the folders above it, as its
    // run's own pairs say; the same as `folder` where it renamed none.
    std::filesystem::path folderAfter;
    // The journal's own form: 1 for a file per folder (1.04), 2 for a file per
    // run, whose folders are numbered from 0 by `section`.
    int format = 2;
    std::size_t section = 0;
    bool undoing = false; // an undo of it began: it renamed what it gave, even where all is back now
};

// The parts of one run, for its journal: `folder` as planned, and its names.
struct JournalPart {
    const std::filesystem::path *folder;
    const std::string *identity;
    const std::vector<std::filesystem::path> *from;
    const std::vector<std::filesystem::path> *to;
    const std::vector<bool> *taken; // from[i] and to[i] are a pair wherever taken[i]
};

// A run's journal, written before the run: the folder it was given (`of`),
// whether it went through the folders below it, the start of its temporary
// names, and each part in the order the run renames them.
std::string runJournalBytes(const std::filesystem::path &of, bool recursive, const std::string &temporaryStem,
                            const std::vector<JournalPart> &parts);

// The marks a journal of a run takes afterwards, appended at its end, each of
// the one part it names: an undo about to begin, and an undo done.
std::string undoingMark(const Journal &part);
std::string undoneMark(const Journal &part);

// Reads a journal of either form and its marks, as the parts of its run. Nothing
// when it is damaged in any way, or names anything but a bare name ("/", "..",
// an empty name) or a folder that is not a full path: a journal is read whole
// or not at all.
std::optional<std::vector<Journal>> parseJournals(std::string_view bytes);

// A journal of the first form, as 1.04 wrote one for each folder: everything but
// the marks after it; the marks it takes; and the reading of it.
std::string journalBytes(const Journal &journal);
std::string doneMark(std::size_t done);
std::string undoneMark();
std::optional<Journal> parseJournal(std::string_view bytes);

// The folder a journal is of (a run's folder, or the one folder of a journal of
// the first form), from its first kJournalHead bytes; nothing when they are not
// a journal's.
constexpr std::size_t kJournalHead = 70000;

// The largest journal: ext4 keeps a folder's entries in at most 2 GB, and a
// journal holds each name twice. A larger file is no journal of ours, and is
// refused unread.
constexpr std::uint64_t kJournalMost = std::uint64_t(4) << 30;
std::optional<std::filesystem::path> journalFolder(std::string_view head);

// Whether `name` is one entry's own name: no folder part, not "." or "..".
bool isBareName(const std::filesystem::path &name);

} // namespace conversion
