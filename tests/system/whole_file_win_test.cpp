// Tests of writing a file whole or not at all on Windows, under Wine.
#include "system/whole_file.h"

#include "support/name_sets.h"
#include "support/win_temp_folder.h"

namespace {

using testing_support::allNames;
using testing_support::contentOf;
using testing_support::NameSet;
namespace fs = std::filesystem;

TEST(WholeFileWin, WritesANewOrOldFileWholeAndRefusesWhatIsNoFile)
{
    testing_support::WinTempFolder temp;
    temp.file(L"old.txt", std::string(100000, 'x'));
    temp.folder(L"folder.txt");
    const struct {
        const wchar_t *name;
        std::error_code expected;
    } rows[] = {
        {L"new.txt", {}},
        {L"old.txt", {}},
        {L"folder.txt", sys::WriteRefusal::notARegularFile},
        {L"NUL", sys::WriteRefusal::notARegularFile}, // the device, wherever it is named
    };
    for (const auto &row : rows) {
        const std::error_code error = sys::writeWholeFile(temp.path() / row.name, "listing\r\n");
        EXPECT_EQ(error, row.expected) << fs::path(row.name).string() << ": " << error.message();
    }
    EXPECT_EQ(contentOf(temp.path() / L"new.txt"), "listing\r\n");
    EXPECT_EQ(contentOf(temp.path() / L"old.txt"), "listing\r\n");
    EXPECT_EQ(allNames(temp.path()), (NameSet{L"folder.txt", L"new.txt", L"old.txt"}));
}

TEST(WholeFileWin, LeavesAReadOnlyFileAsItWas)
{
    testing_support::WinTempFolder temp;
    const fs::path file = temp.file(L"kept.txt", "old");
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(sys::writeWholeFile(file, "new"));
    EXPECT_TRUE(sys::writeWholeFile(temp.path() / L"missing" / L"list.txt", "new"));
    EXPECT_EQ(contentOf(file), "old");
    EXPECT_EQ(allNames(temp.path()), NameSet{L"kept.txt"});
}

} // namespace
