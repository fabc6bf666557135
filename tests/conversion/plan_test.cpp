// Tests of which files a run renames and which it leaves, before any rename.
#include "conversion/plan_rows.h"

#include "conversion/engine.h"
#include "support/temp_folder.h"

namespace {

using namespace plan_testing;

TEST(Plan, RenamesOnlyWhatReplacesNothing)
{
    const PlanRow rows[] = {
        {"mixed names", {"A.txt", "b.TXT", "Cc.Txt"}, {}, Case::Upper, {true, true, true}, {}},
        {"already in case", {"A.TXT", "123", u8"漢字"}, {}, Case::Upper, {false, false, false}, {}},
        {"pair equal but for case", {"x.txt", "X.TXT"}, {}, Case::Upper, {false, false}, {{"x.txt", SkipReason::Taken}}},
        {"pair, lower", {"x.txt", "X.TXT"}, {}, Case::Lower, {false, false}, {{"X.TXT", SkipReason::Taken}}},
        {"two names meet", {"Ab", "aB"}, {}, Case::Upper, {false, false},
         {{"Ab", SkipReason::Shared}, {"aB", SkipReason::Shared}}},
        {"a subfolder has the name", {"data.bin"}, {"DATA.BIN"}, Case::Upper, {false}, {{"data.bin", SkipReason::Taken}}},
        {"a hidden file is no obstacle unless named so", {"a", "b"}, {".A", "B"}, Case::Upper, {true, false},
         {{"b", SkipReason::Taken}}},
    };
    for (const PlanRow &row : rows)
        expectRow(row);
}

// Names left for a reason of their own: a new name too long for the file
// system, an entry that is no longer a file; real UTF-8 is renamed.
TEST(Plan, LeavesNamesThatCannotBeRenamed)
{
    const LeaveRow rows[] = {
        {"real UTF-8", {u8"ärger.doc", u8"мама.txt", u8"ω.txt"}, {}, 255, {true, true, true}, {}},
        {"longer than the file system takes", {"abcdefg.txt", "ab"}, {}, 10, {false, true},
         {{"abcdefg.txt", SkipReason::TooLong}}},
        {"a folder took a listed file's place", {"was-a-file.txt", "still.txt"}, {"was-a-file.txt"}, 255,
         {false, true}, {{"was-a-file.txt", SkipReason::NotAFile}}},
    };
    for (const LeaveRow &row : rows)
        expectRow(row);
}

TEST(Plan, FindsNamesTheFolderDidNotTake)
{
    // x.txt stays: X.TXT is taken; the run gave A.TXT, B.TXT and C.TXT.
    const Names listed{"a.txt", "b.txt", "c.txt", "D", "x.txt"};
    const conversion::Plan plan =
        planOf(listed, folderNow({"a.txt", "b.txt", "c.txt", "D", "x.txt", "X.TXT"}, listed), conversion::Case::Upper);
    EXPECT_EQ(conversion::unchangedNames(plan, {"A.TXT", "b.txt", "C.TXT", "D", "x.txt", "X.TXT"}), Names{"B.TXT"});
    EXPECT_TRUE(conversion::unchangedNames(plan, {"A.TXT", "B.TXT", "C.TXT", "D", "x.txt", "X.TXT"}).empty());
}

TEST(Plan, ConvertsNamesByTheirBytesOrTheirText)
{
    const struct {
        std::filesystem::path name;
        std::optional<std::filesystem::path> upper, lower;
    } rows[] = {
        {"ReadMe.Txt", "README.TXT", "readme.txt"},
        {"a-Z_09.[]", "A-Z_09.[]", "a-z_09.[]"},
        {u8"Ärger.Txt", u8"ÄRGER.TXT", u8"ärger.txt"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(conversion::convertedPath(row.name, Case::Upper), row.upper) << row.name;
        EXPECT_EQ(conversion::convertedPath(row.name, Case::Lower), row.lower) << row.name;
    }
}

// The part before the last dot, the part after it, or both; a dot that leads
// the name, or none at all, leaves it without an extension.
TEST(Plan, ConvertsTheNameOrTheExtensionAlone)
{
    using conversion::Part;
    const struct {
        std::filesystem::path name;
        Case mode;
        Part part;
        std::optional<std::filesystem::path> converted;
    } rows[] = {
        {"IMG_0001.JPG", Case::Lower, Part::Extension, "IMG_0001.jpg"},
        {"IMG_0001.JPG", Case::Lower, Part::Name, "img_0001.JPG"},
        {"IMG_0001.JPG", Case::Lower, Part::All, "img_0001.jpg"},
        {"Archive.TAR.GZ", Case::Lower, Part::Extension, "Archive.TAR.gz"},
        {"Archive.TAR.GZ", Case::Lower, Part::Name, "archive.tar.GZ"},
        {"ReadMe", Case::Upper, Part::Extension, "ReadMe"},
        {"ReadMe", Case::Upper, Part::Name, "README"},
        {"ReadMe.", Case::Upper, Part::Name, "README."},
        {".Profile", Case::Upper, Part::Extension, ".Profile"},
        {".Profile", Case::Upper, Part::Name, ".PROFILE"},
        {u8"Ärger.Dat.Txt", Case::Upper, Part::Extension, u8"Ärger.Dat.TXT"},
        {u8"Ärger.Dat.Txt", Case::Upper, Part::Name, u8"ÄRGER.DAT.Txt"},
        {u8"Straße.Änd", Case::Lower, Part::Extension, u8"Straße.änd"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(conversion::convertedPath(row.name, row.mode, row.part), row.converted) << row.name;
}

// The folder is read for the plan beside the working out of the new names: a
// read that fails still fails the plan, and leaves nothing to rename.
TEST(Plan, AFolderGoneSinceItWasListedPlansNothing)
{
    const testing_support::TempFolder folder;
    folder.file("MixEd.txt");
    std::vector<std::filesystem::path> listed;
    ASSERT_FALSE(conversion::listedFiles(folder.path(), listed));
    std::filesystem::remove_all(folder.path());
    conversion::Run run(folder.path(), Case::Upper);
    ASSERT_EQ(listed, Names{"MixEd.txt"});
    EXPECT_EQ(run.plan(listed), std::errc::no_such_file_or_directory);
    EXPECT_EQ(run.toRename(), 0u);
}

} // namespace
