// Plans made of names given in tables, and what they are expected to rename and
// leave, for the tests of the plan.
#pragma once

#include "conversion/plan.h"
#include "system/beside.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace plan_testing {

using conversion::Case;
using conversion::SkipReason;
using Names = std::vector<std::filesystem::path>;
using Skipped = std::vector<std::pair<std::filesystem::path, SkipReason>>;

inline void expectPlan(const conversion::Plan &plan, const std::vector<bool> &rename, const Skipped &skipped,
                       const char *what)
{
    EXPECT_EQ(plan.rename, rename) << what;
    ASSERT_EQ(plan.skipped.size(), skipped.size()) << what;
    for (std::size_t i = 0; i < skipped.size(); ++i) {
        EXPECT_EQ(plan.skipped[i].name, skipped[i].first) << what;
        EXPECT_EQ(plan.skipped[i].reason, skipped[i].second) << what;
    }
}

// The folder as read: every name, those of `files` marked as files.
inline conversion::FolderNow folderNow(const Names &names, const Names &files, std::size_t longest = 255)
{
    conversion::FolderNow now{names, {}, longest};
    for (const auto &name : names)
        now.isFile.push_back(std::find(files.begin(), files.end(), name) != files.end());
    return now;
}

// The plan as a run makes it, the folder's checks built beside.
inline conversion::Plan planOf(const Names &listed, const conversion::FolderNow &folder, Case mode)
{
    return conversion::planRun(listed, sys::beside([&folder] { return conversion::FolderChecks(folder); }), mode);
}

// A run of either case over listed files, beside other names of the folder.
struct PlanRow {
    const char *what;
    Names listed;
    Names others; // hidden files, subfolders: in the folder, not in the list
    Case mode;
    std::vector<bool> rename;
    Skipped skipped;
};

inline void expectRow(const PlanRow &row)
{
    Names folder = row.listed;
    folder.insert(folder.end(), row.others.begin(), row.others.end());
    expectPlan(planOf(row.listed, folderNow(folder, row.listed), row.mode), row.rename, row.skipped, row.what);
}

// A run to capitals on a file system that takes names of `longest` units at
// most; a listed name among `others` is no longer a file.
struct LeaveRow {
    const char *what;
    Names listed;
    Names others;
    std::size_t longest;
    std::vector<bool> rename;
    Skipped skipped;
};

inline void expectRow(const LeaveRow &row)
{
    Names names = row.listed;
    Names files;
    for (const auto &name : row.listed) {
        if (std::find(row.others.begin(), row.others.end(), name) == row.others.end())
            files.push_back(name);
    }
    names.insert(names.end(), row.others.begin(), row.others.end());
    expectPlan(planOf(row.listed, folderNow(names, files, row.longest), Case::Upper), row.rename, row.skipped, row.what);
}

} // namespace plan_testing
