// Tests of the drive letters and of the process's own current folder per drive,
// with drives d: and e: that scripts/test-windows links into the Wine prefix.
#include "system/current_folders.h"

#include "support/win_test_drives.h"
#include "support/win_temp_folder.h"

#include <string>

namespace {

namespace fs = std::filesystem;

using testing_support::kTestDriveLabel;
using testing_support::testDrivesLinked;

// Folders compared as Windows does: letter case and a trailing separator aside.
std::wstring folderKey(const fs::path &path)
{
    std::wstring text = path.native();
    if (text.size() > 3 && text.back() == L'\\')
        text.pop_back();
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

#define EXPECT_SAME_FOLDER(a, b) EXPECT_EQ(folderKey(a), folderKey(b))

TEST(DrivesWin, TheDriveOfAPathIsItsFirstCharacter)
{
    const std::vector<sys::Drive> drives{{L"c:\\", {}}, {L"d:\\", kTestDriveLabel}, {L"z:\\", {}}};
    const std::pair<const wchar_t *, const wchar_t *> rows[] = {
        {L"C:\\WORK", L"c:\\"},    {L"c:\\", L"c:\\"},         {L"c:", L"c:\\"},
        {L"d: [データ 1]", L"d:\\"}, {L"D", L"d:\\"},            {L"z:\\tmp\\x", L"z:\\"},
        {L"e:\\x", L""},           {L"\\\\server\\share", L""}, {L"", L""},
        {L"1:\\", L""},
    };
    for (const auto &[path, drive] : rows)
        EXPECT_EQ(sys::driveOf(path, drives).native(), std::wstring(drive)) << fs::path(path).string();
}

TEST(DrivesWin, ListsTheLogicalDrivesWithTheirLabels)
{
    if (!testDrivesLinked())
        GTEST_SKIP() << "needs drives d: and e: linked by scripts/test-windows";
    const std::vector<sys::Drive> drives = sys::mountedDrives();
    std::wstring roots;
    for (const sys::Drive &drive : drives)
        roots += drive.root.native() + L' ';
    EXPECT_EQ(roots, L"c:\\ d:\\ e:\\ z:\\ ");
    ASSERT_EQ(drives.size(), 4u);
    EXPECT_EQ(drives[1].name, kTestDriveLabel);
    EXPECT_EQ(drives[2].name, "");
}

TEST(CurrentFoldersWin, EachDriveKeepsItsOwnFolder)
{
    if (!testDrivesLinked())
        GTEST_SKIP() << "needs drives d: and e: linked by scripts/test-windows";
    testing_support::DriveVariables variables;
    testing_support::WinTempFolder c;
    testing_support::WinTempFolder d(L"d:\\");
    const fs::path one = c.folder("one");
    const fs::path two = d.folder("two");
    ASSERT_TRUE(SetCurrentDirectoryW(c.path().c_str()));
    sys::CurrentFolders folders(sys::mountedDrives);

    EXPECT_EQ(folders.currentDrive(), L"c:\\");
    EXPECT_SAME_FOLDER(folders.currentFolder(L"e:\\"), L"e:\\"); // not visited yet: its root

    // The folder the process was in before is kept for its drive as well.
    EXPECT_FALSE(folders.changeDrive(L"e:"));
    EXPECT_SAME_FOLDER(fs::current_path(), L"e:\\");
    EXPECT_SAME_FOLDER(folders.currentFolder(L"c:\\"), c.path());
    EXPECT_FALSE(folders.changeDrive(L"c:"));
    EXPECT_SAME_FOLDER(fs::current_path(), c.path());

    // A folder on another drive becomes that drive's folder, for the system too;
    // the working folder and the current drive stay.
    EXPECT_FALSE(folders.changeFolder(two));
    EXPECT_SAME_FOLDER(fs::current_path(), c.path());
    EXPECT_EQ(folders.currentDrive(), L"c:\\");
    EXPECT_SAME_FOLDER(folders.currentFolder(L"d:\\"), two);
    EXPECT_SAME_FOLDER(fs::absolute(L"d:file.txt"), two / L"file.txt");

    EXPECT_FALSE(folders.changeFolder(one));
    EXPECT_SAME_FOLDER(fs::current_path(), one);

    // Changing the drive goes to its folder, and the drive left keeps its own.
    EXPECT_FALSE(folders.changeDrive(L"D:\\anything"));
    EXPECT_SAME_FOLDER(fs::current_path(), two);
    EXPECT_EQ(folders.currentDrive(), L"d:\\");
    EXPECT_SAME_FOLDER(folders.currentFolder(L"c:\\"), one);
    EXPECT_SAME_FOLDER(fs::absolute(L"c:file.txt"), one / L"file.txt");
    EXPECT_FALSE(folders.changeDrive(L"d: [" + fs::path(kTestDriveLabel).wstring() + L"]"));
    EXPECT_SAME_FOLDER(fs::current_path(), two);

    // Both steps: the folder's drive, then the folder.
    EXPECT_FALSE(folders.setWorkingFolder(one));
    EXPECT_SAME_FOLDER(fs::current_path(), one);
    EXPECT_FALSE(folders.setWorkingFolder(L"e:\\"));
    EXPECT_SAME_FOLDER(fs::current_path(), L"e:\\");
    EXPECT_SAME_FOLDER(folders.currentFolder(L"c:\\"), one);
    EXPECT_SAME_FOLDER(folders.currentFolder(L"d:\\"), two);
    EXPECT_FALSE(folders.changeDrive(L"c:"));
    EXPECT_SAME_FOLDER(fs::current_path(), one);
}

TEST(CurrentFoldersWin, RefusesWhatIsNoFolderAndNoDrive)
{
    testing_support::DriveVariables variables;
    testing_support::WinTempFolder c;
    const fs::path file = c.file("file.txt");
    ASSERT_TRUE(SetCurrentDirectoryW(c.path().c_str()));
    sys::CurrentFolders folders(sys::mountedDrives);
    const DWORD present = GetLogicalDrives();
    wchar_t absent = L'q';
    while (absent > L'c' && (present & (DWORD(1) << (absent - L'a'))))
        --absent;
    ASSERT_GT(absent, L'c');
    const std::wstring nowhere{absent, L':', L'\\', L'x'};

    EXPECT_EQ(folders.changeFolder(file), std::errc::not_a_directory);
    EXPECT_EQ(folders.changeFolder(c.path() / "missing"), std::errc::no_such_file_or_directory);
    EXPECT_EQ(folders.changeFolder(nowhere), std::errc::no_such_device);
    EXPECT_EQ(folders.changeDrive(nowhere), std::errc::no_such_device);
    EXPECT_EQ(folders.changeDrive(L"\\\\server\\share"), std::errc::no_such_device);
    EXPECT_SAME_FOLDER(fs::current_path(), c.path());
}

} // namespace
