// Tests of which files a run renames and which it leaves, before any rename.
#include "conversion/plan.h"

#include <gtest/gtest.h>

namespace {

using conversion::Case;
using conversion::SkipReason;
using Names = std::vector<std::filesystem::path>;

struct PlanRow {
    const char *what;
    Names listed;
    Names others; // hidden files, subfolders: in the folder, not in the list
    Case mode;
    std::vector<bool> rename;
    std::vector<std::pair<std::filesystem::path, SkipReason>> skipped;
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
        const conversion::Plan plan = conversion::planRun(row.listed, folder, row.mode);
        EXPECT_EQ(plan.rename, row.rename) << row.what;
        ASSERT_EQ(plan.skipped.size(), row.skipped.size()) << row.what;
        for (std::size_t i = 0; i < row.skipped.size(); ++i) {
            EXPECT_EQ(plan.skipped[i].name, row.skipped[i].first) << row.what;
            EXPECT_EQ(plan.skipped[i].reason, row.skipped[i].second) << row.what;
        }
    }
}

TEST(Plan, FindsNamesTheFolderDidNotTake)
{
    // x.txt stays: X.TXT is taken; the run gave A.TXT, B.TXT and C.TXT.
    const Names listed{"a.txt", "b.txt", "c.txt", "D", "x.txt"};
    const conversion::Plan plan = conversion::planRun(listed, {"a.txt", "b.txt", "c.txt", "D", "x.txt", "X.TXT"}, conversion::Case::Upper);
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

} // namespace
