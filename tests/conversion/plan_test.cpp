// Tests of which files a run renames and which it leaves, before any rename.
#include "conversion/plan.h"

#include "conversion/engine.h"
#include "support/temp_folder.h"
#include "system/beside.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using conversion::Case;
using conversion::SkipReason;
using Names = std::vector<std::filesystem::path>;

using Skipped = std::vector<std::pair<std::filesystem::path, SkipReason>>;

void expectPlan(const conversion::Plan &plan, const std::vector<bool> &rename, const Skipped &skipped, const char *what)
{
    EXPECT_EQ(plan.rename, rename) << what;
    ASSERT_EQ(plan.skipped.size(), skipped.size()) << what;
    for (std::size_t i = 0; i < skipped.size(); ++i) {
        EXPECT_EQ(plan.skipped[i].name, skipped[i].first) << what;
        EXPECT_EQ(plan.skipped[i].reason, skipped[i].second) << what;
    }
}

// The folder as read: every name, those of `files` marked as files.
conversion::FolderNow folderNow(const Names &names, const Names &files, std::size_t longest = 255)
{
    conversion::FolderNow now{names, {}, longest};
    for (const auto &name : names)
        now.isFile.push_back(std::find(files.begin(), files.end(), name) != files.end());
    return now;
}

// The plan as a run makes it, the folder's checks built beside.
conversion::Plan planOf(const Names &listed, const conversion::FolderNow &folder, Case mode)
{
    return conversion::planRun(listed, sys::beside([&folder] { return conversion::FolderChecks(folder); }), mode);
}

struct PlanRow {
    const char *what;
    Names listed;
    Names others; // hidden files, subfolders: in the folder, not in the list
    Case mode;
    std::vector<bool> rename;
    Skipped skipped;
};

TEST(Plan, RenamesOnlyWhatReplacesNothing)
{
    const PlanRow rows[] = {
        {"mixed names", {"A.txt", "b.TXT", "Cc.Txt"}, {}, Case::Upper, {true, true, true}, {}},
        {"already in case", {"A.TXT", "123", "漢字"}, {}, Case::Upper, {false, false, false}, {}},
        {"pair equal but for case", {"x.txt", "X.TXT"}, {}, Case::Upper, {false, false}, {{"x.txt", SkipReason::Taken}}},
        {"pair, lower", {"x.txt", "X.TXT"}, {}, Case::Lower, {false, false}, {{"X.TXT", SkipReason::Taken}}},
        {"two names meet", {"Ab", "aB"}, {}, Case::Upper, {false, false},
         {{"Ab", SkipReason::Shared}, {"aB", SkipReason::Shared}}},
        {"a subfolder has the name", {"data.bin"}, {"DATA.BIN"}, Case::Upper, {false}, {{"data.bin", SkipReason::Taken}}},
        {"a hidden file is no obstacle unless named so", {"a", "b"}, {".A", "B"}, Case::Upper, {true, false},
         {{"b", SkipReason::Taken}}},
        {"not valid text", {"\x83\x41" "a.txt", "ok.txt"}, {}, Case::Upper, {false, true},
         {{"\x83\x41" "a.txt", SkipReason::NotText}}},
    };
    for (const PlanRow &row : rows) {
        Names folder = row.listed;
        folder.insert(folder.end(), row.others.begin(), row.others.end());
        const conversion::Plan plan = planOf(row.listed, folderNow(folder, row.listed), row.mode);
        expectPlan(plan, row.rename, row.skipped, row.what);
    }
}

// Names left for a reason of their own: bytes that may be Shift_JIS, a new name
// too long for the file system, an entry that is no longer a file.
TEST(Plan, LeavesNamesThatWouldBeSpoiledOrCannotBeRenamed)
{
    std::string turned;
    for (int i = 0; i < 120; ++i)
        turned += "\u0250"; // ɐ: two bytes, and its upper case Ɐ three
    const std::string sjisOnly = "\x83\x41\x83\x58.txt"; // アス.txt in Shift_JIS: not UTF-8
    const struct {
        const char *what;
        Names listed;
        Names others;
        std::size_t longest;
        std::vector<bool> rename;
        Skipped skipped;
    } rows[] = {
        {"katakana pairs beside a Shift_JIS name", {"\xC4\xB1.txt", "\xD0\xBD.txt", "Abc.txt"}, {sjisOnly}, 255,
         {false, false, true}, {{"\xC4\xB1.txt", SkipReason::ShiftJis}, {"\xD0\xBD.txt", SkipReason::ShiftJis}}},
        {"real UTF-8 beside a Shift_JIS name", {"\xC3\xA4rger.doc"}, {sjisOnly}, 255, {true}, {}},
        {"a symbol from katakana pairs", {"\xC2\xA7\xC2\xB1.txt"}, {}, 255, {false},
         {{"\xC2\xA7\xC2\xB1.txt", SkipReason::ShiftJis}}},
        {"two scripts side by side from katakana pairs", {"\xC4\xB1\xD0\xBD.txt"}, {}, 255, {false},
         {{"\xC4\xB1\xD0\xBD.txt", SkipReason::ShiftJis}}},
        {"real UTF-8 alone", {"\xC3\xA4rger.doc", "\xD0\xBC\xD0\xB0\xD0\xBC\xD0\xB0.txt", "\xCF\x89.txt"}, {}, 255,
         {true, true, true}, {}},
        {"too long in upper case", {turned + ".txt", "short.txt"}, {}, 255, {false, true},
         {{turned + ".txt", SkipReason::TooLong}}},
        {"a folder took a listed file's place", {"was-a-file.txt", "still.txt"}, {"was-a-file.txt"}, 255,
         {false, true}, {{"was-a-file.txt", SkipReason::NotAFile}}},
    };
    for (const auto &row : rows) {
        Names names = row.listed;
        Names files;
        for (const auto &name : row.listed) {
            if (std::find(row.others.begin(), row.others.end(), name) == row.others.end())
                files.push_back(name);
        }
        names.insert(names.end(), row.others.begin(), row.others.end());
        const conversion::Plan plan = planOf(row.listed, folderNow(names, files, row.longest), Case::Upper);
        expectPlan(plan, row.rename, row.skipped, row.what);
    }
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
        const char *name;
        std::optional<std::filesystem::path> upper, lower;
    } rows[] = {
        {"ReadMe.Txt", "README.TXT", "readme.txt"},
        {"a-Z_09.[]", "A-Z_09.[]", "a-z_09.[]"},
        {"Ärger.Txt", "ÄRGER.TXT", "ärger.txt"},
        {"\x83\x41" "a.txt", std::nullopt, std::nullopt},
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
        const char *name;
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
        {"Ärger.Dat.Txt", Case::Upper, Part::Extension, "Ärger.Dat.TXT"},
        {"Ärger.Dat.Txt", Case::Upper, Part::Name, "ÄRGER.DAT.Txt"},
        {"Straße.Änd", Case::Lower, Part::Extension, "Straße.änd"},
        {"\x83\x41" "a.txt", Case::Upper, Part::Extension, std::nullopt},
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
