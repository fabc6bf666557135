// Tests of writing a file whole or not at all on Windows, under Wine.
#include "system/whole_file.h"

#include "support/name_sets.h"
#include "support/win_temp_folder.h"

namespace {

using testing_support::contentOf;
using testing_support::NameSet;

TEST(WholeFileWin, WritesAFileWholeAndLeavesWhatItMayNotWrite)
{
    testing_support::WinTempFolder temp;
    temp.file(L"old.txt", std::string(100000, 'x'));
    temp.file(L"kept.txt", "kept");
    ASSERT_TRUE(SetFileAttributesW((temp.path() / L"kept.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    temp.folder(L"folder.txt");
    const std::error_code denied(ERROR_ACCESS_DENIED, std::system_category());
    const struct {
        const wchar_t *name;
        std::error_code expected;
    } rows[] = {
        {L"new.txt", {}},
        {L"old.txt", {}},
        {L"kept.txt", denied},
        {L"folder.txt", sys::WriteRefusal::notARegularFile},
        {L"NUL", sys::WriteRefusal::notARegularFile}, // the device, in whatever folder it is named
    };
    for (const auto &row : rows)
        EXPECT_EQ(sys::writeWholeFile(temp.path() / row.name, "listing\r\n"), row.expected)
            << std::filesystem::path(row.name).string();
    EXPECT_TRUE(sys::writeWholeFile(temp.path() / L"missing" / L"list.txt", "listing\r\n"));

    EXPECT_EQ(contentOf(temp.path() / L"new.txt"), "listing\r\n");
    EXPECT_EQ(contentOf(temp.path() / L"old.txt"), "listing\r\n");
    EXPECT_EQ(contentOf(temp.path() / L"kept.txt"), "kept");
    EXPECT_EQ(testing_support::allNames(temp.path()), (NameSet{L"folder.txt", L"kept.txt", L"new.txt", L"old.txt"}));
}

} // namespace
