// Tests of the folders the folder list shows.
#include "controls/folder_rows.h"

#include "support/temp_folder.h"

namespace {

TEST(FolderListRows, ShowsSubfoldersButNoHiddenOnesOrFiles)
{
    testing_support::TempFolder folder;
    for (const char *name : {"b", "A", ".hidden", "C/inner"})
        folder.folder(name);
    folder.file("file.txt");

    controls::FolderList list;
    list.setDriveOf([&](const std::filesystem::path &) { return folder.path(); });
    ASSERT_FALSE(list.setPath(folder.path()));
    const QStringList rows = folder_list_testing::rowsOf(list);
    EXPECT_EQ(rows, (QStringList{QString::fromStdString(folder.path().string()), "A", "b", "C"}));
    EXPECT_EQ(list.setPath(folder.path() / "file.txt"), std::errc::not_a_directory);
    EXPECT_EQ(list.path(), folder.path());
}

} // namespace
