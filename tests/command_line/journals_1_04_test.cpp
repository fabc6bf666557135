// Tests that the runs 1.04 journalled, one file for each folder of a run, are
// still taken back: a recursive run that renamed a folder, and a run of one folder.
#include "command_line/run_in_process.h"

#include "support/name_sets.h"
#include "support/temp_folder.h"

#include "conversion/journal_store.h"
#include "system/paths.h"

#include <fstream>

namespace {

using namespace command_line_testing;
using testing_support::contentOf;

using Pairs = std::vector<std::pair<fs::path, fs::path>>;

// A journal as 1.04 named and wrote it: <folder>-<time>-<run>-<root or 0>.journal.
void write104(const fs::path &folder, const fs::path &root, Pairs pairs, int time)
{
    conversion::Journal journal;
    journal.folder = folder;
    journal.root = root;
    journal.group = root.empty() ? "" : "1-1-0";
    journal.pairs = std::move(pairs);
    const fs::path store = conversion::JournalStore::standard().folder();
    fs::create_directories(store);
    fs::permissions(store, fs::perms::owner_all);
    const std::string rootMark = root.empty() ? "0" : sys::pathsMark({&root});
    char run[64];
    std::snprintf(run, sizeof run, "-%013d-%010d-%06d-", time, 1, time);
    std::ofstream(store / (sys::pathsMark({&journal.folder}) + run + rootMark + ".journal"), std::ios::binary)
        << conversion::journalBytes(journal) << conversion::doneMark(journal.pairs.size());
}

TEST(CommandLine, TheRunsOf104AreTakenBack)
{
    TempFolder temp;
    temp.file("R/A.TXT", "a.txt");
    temp.file("R/SUB/B.TXT", "b.txt");
    temp.file("One/C.TXT", "c.txt");
    const fs::path root = sys::resolvedFolder(temp.path() / "R");
    const fs::path one = sys::resolvedFolder(temp.path() / "One");
    // Its folder below first, then the top, as a run on folders went.
    write104(root / "Sub", root, {{"b.txt", "B.TXT"}}, 1);
    write104(root, root, {{"a.txt", "A.TXT"}, {"Sub", "SUB"}}, 2);
    write104(one, {}, {{"c.txt", "C.TXT"}}, 3);

    EXPECT_EQ(mojik({"--undo", "-r", sys::pathBytes(root)}).exit, command_line::kDone);
    EXPECT_EQ(allNames(root), (Names{"a.txt", "Sub"}));
    EXPECT_EQ(allNames(root / "Sub"), (Names{"b.txt"}));
    EXPECT_EQ(contentOf(root / "Sub" / "b.txt"), "b.txt");
    EXPECT_EQ(mojik({"--undo", sys::pathBytes(one)}).exit, command_line::kDone);
    EXPECT_EQ(allNames(one), (Names{"c.txt"}));
    EXPECT_EQ(mojik({"--undo", sys::pathBytes(one)}).exit, command_line::kLeft) << "nothing is left to take back";
}

} // namespace
