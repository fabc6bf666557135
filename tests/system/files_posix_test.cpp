// Tests of the POSIX file operations: which entries the file list shows, and
// renaming on a read-only file system.
#include "system/files.h"
#include "system/renamer.h"

#include "support/errno_code.h"
#include "support/mounts.h"
#include "support/name_sets.h"
#include "support/temp_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using testing_support::asSet;
using testing_support::contentOf;
using testing_support::filesIn;
using testing_support::Mounted;
using testing_support::TempFolder;
using testing_support::errnoCode;
namespace fs = std::filesystem;

// ---- listing -----------------------------------------------------------------

TEST(FilesPosix, ListFilesShowsFilesAndLinksToFilesOnly)
{
    TempFolder temp;
    const fs::path &dir = temp.path();
    temp.file("plain.txt");
    temp.file("UPPER.TXT");
    temp.file("\x83\x41.txt");      // Shift_JIS bytes, not UTF-8
    temp.file("new\nline.txt");     // a newline in a name
    temp.file("no-extension");
    temp.file(".hidden");
    temp.file(".hidden-folder/inner.txt");
    temp.folder("folder");
    fs::create_symlink("plain.txt", dir / "link-to-file");
    fs::create_symlink("folder", dir / "link-to-folder");
    fs::create_symlink("nothing-there", dir / "dangling-link");
    fs::create_symlink("link-loop", dir / "link-loop");
    fs::create_symlink(".hidden", dir / "link-to-hidden-file");
    fs::create_symlink("fifo", dir / "link-to-fifo");
    fs::create_symlink("plain.txt", dir / ".hidden-link");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);

    // A socket, bound under a short relative name (socket paths are short).
    fs::current_path(dir);
    const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", "socket");
    ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(sock);
    // A device node, where this process may make one (root).
    const bool device = ::mknod((dir / "device").c_str(), S_IFCHR | 0644, makedev(1, 3)) == 0;

    const testing_support::NameSet expected = {
        "plain.txt", "UPPER.TXT", "\x83\x41.txt", "new\nline.txt", "no-extension",
        "link-to-file", "link-to-hidden-file",
        "dangling-link", "link-loop", // a link that leads nowhere is listed: it is no folder
    };
    EXPECT_EQ(filesIn(dir), expected);
    EXPECT_EQ(filesIn("."), expected); // relative to the working folder alike

    testing_support::NameSet all = {".hidden", ".hidden-folder", "folder", "link-to-folder", "link-to-fifo",
                                 ".hidden-link", "fifo", "socket"};
    all.insert(expected.begin(), expected.end());
    if (device)
        all.insert("device");
    std::vector<fs::path> names;
    EXPECT_FALSE(sys::listAllNames(dir, names));
    EXPECT_EQ(asSet(names), all);
}

// A folder of many batches of entries, read while the entries of the batches
// before are taken: every entry comes once, and each with its own kind.
TEST(FilesPosix, ABigFolderIsReadWhole)
{
    TempFolder temp;
    testing_support::NameSet files, all;
    for (int i = 0; i < 6000; ++i) {
        const std::string name = "file-" + std::string(static_cast<std::size_t>(i % 40), 'x') + std::to_string(i);
        temp.file(name);
        files.insert(name);
    }
    for (int i = 0; i < 300; ++i) {
        all.insert(temp.folder("folder-" + std::to_string(i)).filename().string());
        all.insert(temp.file(".hidden-" + std::to_string(i)).filename().string());
    }
    all.insert(files.begin(), files.end());

    EXPECT_EQ(filesIn(temp.path()), files);
    std::vector<fs::path> names;
    std::vector<bool> isFile;
    ASSERT_FALSE(sys::listAllNamesAndFiles(temp.path(), names, isFile));
    EXPECT_EQ(asSet(names), all);
    ASSERT_EQ(isFile.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(isFile[i], files.count(names[i].string()) == 1) << names[i];
}

// The subfolders a run may rename are folders of their own: not hidden, and not
// links, whether to a folder or to nothing.
TEST(FilesPosix, TellsFilesAndOwnFoldersApart)
{
    TempFolder temp;
    temp.file("file.txt");
    temp.folder("Folder");
    temp.folder(".hidden");
    fs::create_directory_symlink(temp.folder("elsewhere"), temp.path() / "Link");
    fs::create_symlink(temp.path() / "gone", temp.path() / "Dangling");
    std::vector<fs::path> names;
    std::vector<bool> isFile, isFolder;
    ASSERT_FALSE(sys::listAllNamesAndFiles(temp.path(), names, isFile, &isFolder));
    testing_support::NameSet files, folders;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (isFile[i])
            files.insert(names[i]);
        if (isFolder[i])
            folders.insert(names[i]);
    }
    EXPECT_EQ(asSet(names), (testing_support::NameSet{"file.txt", "Folder", ".hidden", "elsewhere", "Link", "Dangling"}));
    EXPECT_EQ(files, (testing_support::NameSet{"file.txt", "Dangling"}));
    EXPECT_EQ(folders, (testing_support::NameSet{"Folder", "elsewhere"}));
}

TEST(FilesPosix, ListingAFolderThatCannotBeReadFails)
{
    TempFolder temp;
    const fs::path file = temp.file("file.txt");
    const struct {
        fs::path folder;
        int error;
    } rows[] = {
        {temp.path() / "missing", ENOENT},
        {file, ENOTDIR},
    };
    for (const auto &row : rows) {
        std::vector<fs::path> names = {"left over"};
        EXPECT_EQ(sys::listFiles(row.folder, names), errnoCode(row.error)) << row.folder;
        EXPECT_TRUE(names.empty());
        names = {"left over"};
        EXPECT_EQ(sys::listAllNames(row.folder, names), errnoCode(row.error)) << row.folder;
        EXPECT_TRUE(names.empty());
    }
}

// ---- renaming ----------------------------------------------------------------

TEST(FilesPosix, RenameOnAReadOnlyFileSystemFailsWithEROFS)
{
    TempFolder temp;
    const fs::path point = temp.folder("readonly");
    if (::mount("mojik-test", point.c_str(), "tmpfs", 0, "size=1m") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(errno) << "): needs root or CAP_SYS_ADMIN";
    Mounted mounted(point);
    temp.file("readonly/a.txt", "kept");
    ASSERT_EQ(::mount(nullptr, point.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0) << std::strerror(errno);
    fs::current_path(point);

    sys::Renamer renamer(".", {"a.txt"});
    EXPECT_EQ(renamer.rename("a.txt", "A.TXT"), errnoCode(EROFS));
    EXPECT_EQ(filesIn("."), testing_support::NameSet{"a.txt"});
    EXPECT_EQ(contentOf("a.txt"), "kept");
    fs::current_path(temp.path()); // out of the mount before it goes
}

} // namespace
