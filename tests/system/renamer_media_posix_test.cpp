// Tests of the renamer on the media where users tidy most: FAT and exFAT sticks,
// which fold case and refuse both the kernel's no-replace flag and hard links,
// and a Windows share through smbnetfs, which does the same over the network.
#include "system/files.h"
#include "system/renamer.h"

#include "support/errno_code.h"
#include "support/media.h"
#include "support/name_sets.h"

#include <gtest/gtest.h>

namespace {

using testing_support::allNames;
using testing_support::contentOf;
using testing_support::MediumFolder;
using testing_support::MediumKind;
using testing_support::errnoCode;
namespace fs = std::filesystem;

TEST(RenamerMediaPosix, ChangesCaseAndNeverReplaces)
{
    if (const auto why = testing_support::withoutFuse())
        GTEST_SKIP() << *why;
    const struct {
        const char *what;
        std::vector<std::pair<std::string, std::string>> files; // name, content
        std::string from;
        std::string to;
        std::error_code error;
        testing_support::NameSet listed;
        bool pair = false; // a case-insensitive stick cannot hold both spellings; the share's server can
    } rows[] = {
        {"case alone, to upper", {{"ab.txt", "ab"}}, "ab.txt", "AB.TXT", {}, {"AB.TXT"}},
        {"case alone, to lower", {{"CD.TXT", "cd"}}, "CD.TXT", "cd.txt", {}, {"cd.txt"}},
        {"case alone, mixed", {{"Ef.Txt", "ef"}}, "Ef.Txt", "eF.tXT", {}, {"eF.tXT"}},
        {"case alone, long name", {{"a long file name.text", "long"}}, "a long file name.text", "A LONG FILE NAME.TEXT",
         {}, {"A LONG FILE NAME.TEXT"}},
        {"to a free name", {{"g.txt", "g"}}, "g.txt", "h.txt", {}, {"h.txt"}},
        {"onto another file", {{"x.txt", "x"}, {"y.txt", "y"}}, "x.txt", "Y.TXT", errnoCode(EEXIST), {"x.txt", "y.txt"}},
        {"onto another file, same case", {{"p.txt", "p"}, {"q.txt", "q"}}, "p.txt", "q.txt", errnoCode(EEXIST),
         {"p.txt", "q.txt"}},
        {"a file that is gone", {}, "gone.txt", "GONE.TXT", errnoCode(ENOENT), {}},
        {"the pair, to upper", {{"x.txt", "lower"}, {"X.TXT", "upper"}}, "x.txt", "X.TXT", errnoCode(EEXIST),
         {"x.txt", "X.TXT"}, true},
        {"the pair, to lower", {{"x.txt", "lower"}, {"X.TXT", "upper"}}, "X.TXT", "x.txt", errnoCode(EEXIST),
         {"x.txt", "X.TXT"}, true},
    };
    for (const MediumKind kind : {MediumKind::Fat, MediumKind::Exfat, MediumKind::Share}) {
        SCOPED_TRACE(nameOf(kind));
        const MediumFolder medium(kind);
        ASSERT_FALSE(medium.problem()) << *medium.problem();
        for (const auto &row : rows) {
            if (row.pair && kind != MediumKind::Share)
                continue;
            SCOPED_TRACE(row.what);
            medium.contents().folder(row.what);
            for (const auto &[name, content] : row.files)
                medium.contents().file(fs::path(row.what) / name, content);
            const fs::path seen = medium.path() / row.what;
            std::vector<fs::path> names;
            ASSERT_FALSE(sys::listAllNames(seen, names));
            sys::Renamer renamer(seen, names);

            EXPECT_EQ(renamer.rename(row.from, row.to), row.error);

            EXPECT_EQ(allNames(seen), row.listed); // exactly these spellings, nothing left behind
            for (const auto &[name, content] : row.files) {
                const std::string now = !row.error && name == row.from ? row.to : name;
                EXPECT_EQ(contentOf(seen / now), content) << now;
            }
        }
    }
}

// One renamer through a whole run: after the first change of case has shown
// that the medium folds case, the others go straight through a temporary name,
// and on the share X.TXT beside x.txt is still told apart by the names read.
TEST(RenamerMediaPosix, ARunOfChangesOfCaseLearnsOnceAndKeepsThePairApart)
{
    if (const auto why = testing_support::withoutFuse())
        GTEST_SKIP() << *why;
    for (const MediumKind kind : {MediumKind::Fat, MediumKind::Exfat, MediumKind::Share}) {
        SCOPED_TRACE(nameOf(kind));
        const MediumFolder medium(kind);
        ASSERT_FALSE(medium.problem()) << *medium.problem();
        const bool pair = kind == MediumKind::Share;
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            medium.contents().file(name);
        if (pair) {
            medium.contents().file("x.txt");
            medium.contents().file("X.TXT");
        }
        std::vector<fs::path> names;
        ASSERT_FALSE(sys::listAllNames(medium.path(), names));
        sys::Renamer renamer(medium.path(), std::move(names));

        EXPECT_FALSE(renamer.rename("a.txt", "A.TXT"));
        EXPECT_FALSE(renamer.rename("b.txt", "B.TXT"));
        if (pair) {
            EXPECT_EQ(renamer.rename("x.txt", "X.TXT"), errnoCode(EEXIST));
        }
        EXPECT_FALSE(renamer.rename("c.txt", "C.TXT"));
        EXPECT_FALSE(renamer.rename("B.TXT", "b.txt")); // and back, as an undo would
        EXPECT_FALSE(renamer.keepsSpellings()); // these fold case: a run reads its folder again

        testing_support::NameSet expected{"A.TXT", "b.txt", "C.TXT"};
        if (pair)
            expected.insert({"x.txt", "X.TXT"});
        EXPECT_EQ(allNames(medium.path()), expected); // no temporary name left
        EXPECT_EQ(contentOf(medium.path() / "A.TXT"), "a.txt");
        EXPECT_EQ(contentOf(medium.path() / "b.txt"), "b.txt");
        EXPECT_EQ(contentOf(medium.path() / "C.TXT"), "c.txt");
        if (pair) {
            EXPECT_EQ(contentOf(medium.path() / "x.txt"), "x.txt");
            EXPECT_EQ(contentOf(medium.path() / "X.TXT"), "X.TXT");
        }
    }
}

} // namespace
