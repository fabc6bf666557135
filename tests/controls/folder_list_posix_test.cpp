// Tests of the folder list where POSIX systems differ: links to folders, which
// Wine cannot make, and names that differ in case alone, which are two folders here.
#include "controls/folder_rows.h"

#include "support/temp_folder.h"

#include <QSignalSpy>

namespace {

TEST(FolderListRowsPosix, ShowsLinksToFoldersButNotToFiles)
{
    testing_support::TempFolder folder;
    folder.folder("b");
    folder.file("file.txt");
    std::filesystem::create_directory_symlink(folder.path() / "b", folder.path() / "Link");
    std::filesystem::create_symlink(folder.path() / "file.txt", folder.path() / "fileLink");

    controls::FolderList list;
    list.setDriveOf([&](const std::filesystem::path &) { return folder.path(); });
    ASSERT_FALSE(list.setPath(folder.path()));
    const QStringList rows = folder_list_testing::rowsOf(list);
    EXPECT_EQ(rows, (QStringList{QString::fromStdString(folder.path().string()), "b", "Link"}));
    EXPECT_FALSE(list.setPath(folder.path() / "Link"));
    EXPECT_EQ(list.path(), folder.path() / "Link");
    EXPECT_EQ(list.setPath(folder.path() / "fileLink"), std::errc::not_a_directory);
    EXPECT_EQ(list.path(), folder.path() / "Link");
}

TEST(FolderListPosix, AFolderSpeltInAnotherCaseIsAnotherFolder)
{
    testing_support::TempFolder folder;
    const std::filesystem::path shown = folder.folder("Sub");
    const std::filesystem::path other = folder.folder("SUB");
    controls::FolderList list;
    ASSERT_FALSE(list.setPath(shown));
    QSignalSpy changes(&list, &controls::FolderList::pathChanged);
    ASSERT_FALSE(list.setPath(other));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list.path(), other);
}

} // namespace
