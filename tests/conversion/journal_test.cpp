// Tests of the journal's bytes: every name comes back as it was, and anything
// damaged or naming more than a bare name is refused whole.
#include "conversion/journal.h"

#include "system/paths.h"

#include <gtest/gtest.h>
#include <random>
#include <tuple>

namespace {

using conversion::Journal;
using conversion::parseJournal;

using sys::pathFromBytes;

// A full path on either system.
const std::filesystem::path kRoot = std::filesystem::temp_directory_path();

Journal sample()
{
    return Journal{kRoot / u8"フォルダ one", {}, "1-2-3", kRoot, "mojik-temp-1-2-", {
        {"MixEd.Txt", "mixed.txt"},
        // Shift_JIS bytes here, kept as they are; on Windows, where names are text,
        // the marks that stand for them
        {pathFromBytes("\x83\x41\x83\x58.TXT"), pathFromBytes("\x83\x41\x83\x58.txt")},
        {pathFromBytes("with\nline break → and 12:colon"), pathFromBytes("WITH\nLINE BREAK → AND 12:COLON")},
    }, 0, false, {}, 1, 0, false};
}

TEST(Journal, GivesBackEveryNameByteForByteWithItsMarks)
{
    const Journal journal = sample();
    const std::string bytes = conversion::journalBytes(journal);
    const auto written = [](const Journal &j) {
        return std::tie(j.folder, j.group, j.root, j.temporaryStem, j.pairs);
    };
    for (const auto &[marks, done, undone] : std::vector<std::tuple<std::string, std::size_t, bool>>{
             {"", 0, false},
             {conversion::doneMark(2), 2, false},
             {conversion::doneMark(1) + conversion::doneMark(3) + conversion::undoneMark(), 3, true},
             {conversion::doneMark(2) + "don", 2, false}, // a mark cut short by a crash
         }) {
        const std::optional<Journal> read = parseJournal(bytes + marks);
        ASSERT_TRUE(read) << marks;
        EXPECT_EQ(written(*read), written(journal));
        EXPECT_EQ(read->done, done) << marks;
        EXPECT_EQ(read->undone, undone) << marks;
    }
}

TEST(Journal, RefusesWhatIsDamagedOrNamesMoreThanABareName)
{
    const std::string good = conversion::journalBytes(sample());
    // Cut short anywhere before its end, the journal of a run is refused.
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(parseJournal(good.substr(0, size))) << size;

    const auto with = [](std::filesystem::path folder, std::filesystem::path from, std::filesystem::path to) {
        Journal journal = sample();
        journal.folder = std::move(folder);
        journal.pairs.emplace_back(std::move(from), std::move(to));
        return conversion::journalBytes(journal);
    };
    Journal climbing = sample();
    climbing.temporaryStem = "../mojik-temp-";
    for (const std::string &bad : {
             conversion::journalBytes(climbing), // its temporary names would lie outside the folder
             with(kRoot, "a", "../escape"),
             with(kRoot, "a", "sub/b"),
             with(kRoot, "/etc/passwd", "b"),
             with(kRoot, "..", "b"),
             with(kRoot, "a", "."),
             with(kRoot, "", "b"),
             with(kRoot, std::string("a\0b", 3), "c"),
             with("relative/folder", "a", "b"),
             good + "done 4\n",       // more done than there are pairs
             good + "rename x y\n",   // a line a journal never holds
             "MOJIK-JOURNAL 2\n" + good.substr(16),
         })
        EXPECT_FALSE(parseJournal(bad)) << bad;
}

// Damaged journals of every kind: whatever the reader takes must be a full folder
// and bare names in it, and nothing may crash it.
TEST(Journal, FuzzedBytesNeverLeadOutsideTheFolder)
{
    const std::string good = conversion::journalBytes(sample()) + conversion::doneMark(1);
    std::mt19937 random(20261209);
    const auto pick = [&](std::size_t below) { return std::uniform_int_distribution<std::size_t>(0, below - 1)(random); };
    int taken = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string bytes = good;
        for (std::size_t edits = 1 + pick(4); edits > 0 && !bytes.empty(); --edits) {
            const std::size_t at = pick(bytes.size());
            switch (pick(5)) {
            case 0: bytes[at] = static_cast<char>(pick(256)); break;
            case 1: bytes.erase(at, 1 + pick(8)); break;
            case 2: bytes.insert(at, 1, "/.:0 9\n\0"[pick(8)]); break;
            case 3: bytes.resize(at); break;
            default: bytes.insert(at, bytes.substr(pick(bytes.size()), pick(16))); break;
            }
        }
        const std::optional<Journal> read = parseJournal(bytes);
        if (!read)
            continue;
        ++taken;
        EXPECT_TRUE(read->folder.is_absolute()) << bytes;
        EXPECT_LE(read->done, read->pairs.size());
        EXPECT_EQ(read->temporaryStem.find('/'), std::string::npos) << bytes;
        for (const auto &[from, to] : read->pairs) {
            EXPECT_TRUE(conversion::isBareName(from)) << bytes;
            EXPECT_TRUE(conversion::isBareName(to)) << bytes;
            EXPECT_EQ(from.native().find('/'), std::string::npos);
        }
    }
    EXPECT_GT(taken, 0); // some edits (in a name's letters, say) leave a journal that still reads
}

} // namespace
