// Tests of the drive of a path and of one current folder per drive.
#include "system/current_folders.h"

#include "support/temp_folder.h"

namespace {

TEST(Drives, TheDriveOfAPathIsItsLongestListedRoot)
{
    const std::vector<sys::Drive> drives{{"/", {}}, {"/media/usb", "USB"}, {"/media/usb/inner", {}}};
    const std::pair<const char *, const char *> rows[] = {
        {"/", "/"},
        {"/home/user", "/"},
        {"/media/usb", "/media/usb"},
        {"/media/usb/", "/media/usb"},
        {"/media/usb/photos", "/media/usb"},
        {"/media/usbstick", "/"},
        {"/media/usb/inner/x", "/media/usb/inner"},
        {"/media/usb/inner/../x", "/media/usb"},
    };
    for (const auto &[path, drive] : rows)
        EXPECT_EQ(sys::driveOf(path, drives), std::filesystem::path(drive)) << path;
    EXPECT_EQ(sys::driveOf("/x", {{"/media/usb", {}}}), std::filesystem::path());
}

TEST(Drives, TheRootIsAlwaysOffered)
{
    const std::vector<sys::Drive> drives = sys::mountedDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front().root, "/");
    for (const auto &drive : drives)
        EXPECT_FALSE(drive.root.string().starts_with("/proc")) << drive.root;
}

TEST(CurrentFolders, EachDriveKeepsItsOwnFolder)
{
    testing_support::TempFolder folder;
    const auto c = folder.folder("C");
    const auto d = folder.folder("D");
    folder.folder("C/one");
    folder.folder("D/two");
    std::filesystem::current_path(c);
    sys::CurrentFolders folders([&] { return std::vector<sys::Drive>{{"/", {}}, {c, {}}, {d, {}}}; });

    EXPECT_EQ(folders.currentDrive(), c);
    EXPECT_EQ(folders.currentFolder(d), d); // a drive not yet visited is at its root

    // A folder on another drive becomes that drive's folder; the working folder stays.
    EXPECT_FALSE(folders.changeFolder(d / "two"));
    EXPECT_EQ(std::filesystem::current_path(), c);
    EXPECT_EQ(folders.currentDrive(), c);
    EXPECT_EQ(folders.currentFolder(d), d / "two");

    EXPECT_FALSE(folders.changeFolder(c / "one"));
    EXPECT_EQ(std::filesystem::current_path(), c / "one");

    // Changing the drive goes to its folder, and the drive left keeps its own.
    EXPECT_FALSE(folders.changeDrive(d / "anything"));
    EXPECT_EQ(std::filesystem::current_path(), d / "two");
    EXPECT_EQ(folders.currentFolder(c), c / "one");
    EXPECT_FALSE(folders.setWorkingFolder(c / "one"));
    EXPECT_EQ(std::filesystem::current_path(), c / "one");
}

TEST(CurrentFolders, RefusesWhatIsNoFolderAndNoDrive)
{
    testing_support::TempFolder folder;
    const auto c = folder.folder("C");
    folder.file("C/file.txt");
    std::filesystem::current_path(c);
    sys::CurrentFolders folders([&] { return std::vector<sys::Drive>{{c, {}}}; });

    EXPECT_EQ(folders.changeFolder(c / "file.txt"), std::errc::not_a_directory);
    EXPECT_EQ(folders.changeFolder(c / "missing"), std::errc::no_such_file_or_directory);
    EXPECT_EQ(folders.changeDrive(folder.path()), std::errc::no_such_device);
    EXPECT_EQ(std::filesystem::current_path(), c);
}

} // namespace
