// Tests of the POSIX file operations: which entries the file list shows, and
// renaming that never replaces, also on a read-only and a FAT file system.
#include "system/files.h"

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
using testing_support::mountFat;
using testing_support::TempFolder;
namespace fs = std::filesystem;

std::error_code errnoCode(int value)
{
    return {value, std::generic_category()};
}

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

    const std::set<std::string> expected = {
        "plain.txt", "UPPER.TXT", "\x83\x41.txt", "new\nline.txt", "no-extension",
        "link-to-file", "link-to-hidden-file",
        "dangling-link", "link-loop", // a link that leads nowhere is listed: it is no folder
    };
    EXPECT_EQ(filesIn(dir), expected);
    EXPECT_EQ(filesIn("."), expected); // relative to the working folder alike

    std::set<std::string> all = {".hidden", ".hidden-folder", "folder", "link-to-folder", "link-to-fifo",
                                 ".hidden-link", "fifo", "socket"};
    all.insert(expected.begin(), expected.end());
    if (device)
        all.insert("device");
    std::vector<fs::path> names;
    EXPECT_FALSE(sys::listAllNames(dir, names));
    EXPECT_EQ(asSet(names), all);
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

    EXPECT_EQ(sys::renameFile("a.txt", "A.TXT"), errnoCode(EROFS));
    EXPECT_EQ(filesIn("."), std::set<std::string>{"a.txt"});
    EXPECT_EQ(contentOf("a.txt"), "kept");
    fs::current_path(temp.path()); // out of the mount before it goes
}

// ---- a case-insensitive file system: FAT through FUSE --------------------------

TEST(FilesPosix, RenameOnFat)
{
    TempFolder temp;
    const fs::path point = temp.folder("fat");
    if (const auto why = mountFat(temp.path() / "fat.img", point))
        GTEST_SKIP() << *why;
    Mounted mounted(point);
    fs::current_path(point);

    const struct {
        const char *what;
        std::vector<std::pair<std::string, std::string>> files; // name, content
        std::string from;
        std::string to;
        std::error_code error;
        std::set<std::string> listed;
    } rows[] = {
        {"case alone, to upper", {{"ab.txt", "ab"}}, "ab.txt", "AB.TXT", {}, {"AB.TXT"}},
        {"case alone, to lower", {{"CD.TXT", "cd"}}, "CD.TXT", "cd.txt", {}, {"cd.txt"}},
        {"case alone, mixed", {{"Ef.Txt", "ef"}}, "Ef.Txt", "eF.tXT", {}, {"eF.tXT"}},
        {"case alone, long name", {{"a long file name.text", "long"}}, "a long file name.text", "A LONG FILE NAME.TEXT",
         {}, {"A LONG FILE NAME.TEXT"}},
        {"to a free name", {{"g.txt", "g"}}, "g.txt", "h.txt", {}, {"h.txt"}},
        {"onto another file", {{"x.txt", "x"}, {"y.txt", "y"}}, "x.txt", "Y.TXT", errnoCode(EEXIST), {"x.txt", "y.txt"}},
        {"onto another file, same case", {{"p.txt", "p"}, {"q.txt", "q"}}, "p.txt", "q.txt", errnoCode(EEXIST),
         {"p.txt", "q.txt"}},
        {"a file that is gone", {}, "gone.txt", "GONE.TXT", errnoCode(ENOENT), {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        fs::create_directory(row.what);
        fs::current_path(row.what);
        for (const auto &[name, content] : row.files) {
            std::ofstream out(name, std::ios::binary);
            out << content;
            ASSERT_TRUE(out.good()) << name; // fusefat takes ASCII names only
        }

        EXPECT_EQ(sys::renameFile(row.from, row.to), row.error);

        std::vector<fs::path> all;
        ASSERT_FALSE(sys::listAllNames(".", all));
        EXPECT_EQ(asSet(all), row.listed); // exactly these spellings, nothing left behind
        for (const auto &[name, content] : row.files) {
            const std::string now = !row.error && name == row.from ? row.to : name;
            EXPECT_EQ(contentOf(now), content) << now;
        }
        fs::current_path(point);
    }
    fs::current_path(temp.path()); // out of the mount before it goes
}

} // namespace
