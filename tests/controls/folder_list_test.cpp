// Tests of the folders the folder list shows.
#include "controls/folder_list.h"

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
    QStringList rows;
    for (int i = 0; i < list.count(); ++i)
        rows << list.item(i)->text();
    EXPECT_EQ(rows, (QStringList{QString::fromStdString(folder.path().string()), "A", "b", "C"}));
    EXPECT_EQ(list.setPath(folder.path() / "file.txt"), std::errc::not_a_directory);
    EXPECT_EQ(list.path(), folder.path());
}

} // namespace
