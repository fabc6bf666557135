// Tests of the details the window's question shows: the plan's lines in the list's
// order, its counts, and the cap on a huge folder.
#include "conversion/plan_details.h"

#include <gtest/gtest.h>

namespace {

using conversion::Case;
using conversion::SkipReason;

struct DetailsRow {
    const char *what;
    std::vector<std::filesystem::path> listed;
    conversion::Plan plan;
    Case mode;
    std::size_t lines;
    QString details;
};

TEST(PlanDetails, ListsRenamesAndSkipsInTheListsOrderWithTheirCounts)
{
    const DetailsRow rows[] = {
        {"renames and names left, interleaved",
         {"a.txt", "B.TXT", "x.txt", "Y.txt", "X.TXT"},
         {{true, false, false, true, false}, {"A.TXT", "", "X.TXT", "Y.TXT", ""}, {{"x.txt", "X.TXT", SkipReason::Taken}}},
         Case::Upper,
         100,
         QStringLiteral("2 個のファイル名を変更します。\r1 個のファイルは、名前を変更しません。\r2 個のファイルは、既に大文字です。\r"
                        "\ra.txt → A.TXT\rx.txt … X.TXT という名前が既にあります\rY.txt → Y.TXT")},
        {"nothing to change", {"a.txt", "b"}, {{false, false}, {"", ""}, {}}, Case::Lower, 100,
         QStringLiteral("変更するファイル名はありません。\r2 個のファイルは、既に小文字です。")},
        {"nothing that can change",
         {"Ab", "aB"},
         {{false, false}, {"ab", "ab"}, {{"Ab", "ab", SkipReason::Shared}, {"aB", "ab", SkipReason::Shared}}},
         Case::Lower,
         100,
         QStringLiteral("変更するファイル名はありません。\r2 個のファイルは、名前を変更しません。\r"
                        "\rAb … 他のファイルも ab になります\raB … 他のファイルも ab になります")},
        {"capped, the rest counted",
         {"a", "b", "c", "d"},
         {{true, false, true, true}, {"A", "", "C", "D"}, {{"b", "B", SkipReason::TooLong}}},
         Case::Upper,
         2,
         QStringLiteral("3 個のファイル名を変更します。\r1 個のファイルは、名前を変更しません。\r\ra → A\rb … 新しい名前はこのドライブには長すぎます\rほか 2 個")},
    };
    for (const auto &row : rows)
        EXPECT_EQ(conversion::planDetails(row.listed, row.plan, row.mode, row.lines), row.details) << row.what;
}

} // namespace
