// Tests of the Windows file operations: which entries the file list shows.
#include "system/files.h"

#include "support/name_sets.h"
#include "support/win_temp_folder.h"

#include <set>
#include <string>

namespace {

using testing_support::allNames;
using testing_support::asSet;
using testing_support::contentOf;
using testing_support::WinTempFolder;
namespace fs = std::filesystem;

TEST(FilesWin, ListFilesLeavesOutFoldersAndHiddenAndSystemFiles)
{
    WinTempFolder temp;
    const struct {
        const wchar_t *name;
        DWORD attributes;
        bool folder;
        bool listed;
    } rows[] = {
        {L"plain.txt", FILE_ATTRIBUTE_NORMAL, false, true},
        {L"UPPER.TXT", FILE_ATTRIBUTE_ARCHIVE, false, true},
        {L"日本語.txt", FILE_ATTRIBUTE_NORMAL, false, true},
        {L"readonly.txt", FILE_ATTRIBUTE_READONLY, false, true},
        {L"hidden.txt", FILE_ATTRIBUTE_HIDDEN, false, false},
        {L"system.txt", FILE_ATTRIBUTE_SYSTEM, false, false},
        {L"both.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false, false},
        {L"folder", FILE_ATTRIBUTE_DIRECTORY, true, false},
        {L"folder.txt", FILE_ATTRIBUTE_DIRECTORY, true, false},
    };
    testing_support::NameSet listed;
    testing_support::NameSet all;
    for (const auto &row : rows) {
        const fs::path path = row.folder ? temp.folder(row.name) : temp.file(row.name);
        if (!row.folder) {
            ASSERT_TRUE(SetFileAttributesW(path.c_str(), row.attributes)) << path.string();
        }
        ASSERT_EQ(GetFileAttributesW(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                  row.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            << "attributes not kept for " << path.string();
        if (row.listed)
            listed.insert(row.name);
        all.insert(row.name);
    }
    temp.file(L"folder\\inner.txt");

    std::vector<fs::path> names;
    EXPECT_FALSE(sys::listFiles(temp.path(), names));
    EXPECT_EQ(asSet(names), listed);
    EXPECT_EQ(allNames(temp.path()), all);

    ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));
    EXPECT_FALSE(sys::listFiles(L"", names)); // the working folder
    EXPECT_EQ(asSet(names), listed);
    EXPECT_FALSE(sys::listFiles(L"folder", names));
    EXPECT_EQ(asSet(names), testing_support::NameSet{L"inner.txt"});
}

TEST(FilesWin, ListingWhatIsNoFolderFailsWithAnEmptyList)
{
    WinTempFolder temp;
    const fs::path file = temp.file("file.txt");
    for (const fs::path &folder : {temp.path() / "missing", file}) {
        std::vector<fs::path> names{L"left over"};
        EXPECT_TRUE(sys::listFiles(folder, names)) << folder.string();
        EXPECT_TRUE(names.empty());
        names = {L"left over"};
        EXPECT_TRUE(sys::listAllNames(folder, names)) << folder.string();
        EXPECT_TRUE(names.empty());
    }
    const fs::path empty = temp.folder("empty");
    std::vector<fs::path> names{L"left over"};
    EXPECT_FALSE(sys::listFiles(empty, names));
    EXPECT_TRUE(names.empty());
}

} // namespace
