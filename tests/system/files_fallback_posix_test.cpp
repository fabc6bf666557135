// Tests of renameFile's ways around a file system that refuses RENAME_NOREPLACE,
// or hard links as well, and of the way back from a failed rename through a
// temporary name. The test program's own renameat2 and linkat (below) stand in
// for the C library's; they pass every call on to the kernel unchanged unless
// a test here asks them to refuse, as such file systems do.
#include "system/files.h"

#include "support/name_sets.h"
#include "support/temp_folder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

enum class Refuse { Nothing, NoReplaceFlag, NoReplaceFlagAndLinks };
Refuse g_refuse = Refuse::Nothing;
// A rename from a temporary name ("mojik-temp-…") to exactly this name fails with EIO.
const char *g_failFromTemporaryTo = nullptr;

bool isTemporary(const char *path)
{
    const char *name = std::strrchr(path, '/');
    return std::strncmp(name ? name + 1 : path, "mojik-temp-", 11) == 0;
}

} // namespace

extern "C" int renameat2(int oldFolder, const char *oldPath, int newFolder, const char *newPath, unsigned flags) noexcept
{
    if (g_failFromTemporaryTo && isTemporary(oldPath) && std::strcmp(newPath, g_failFromTemporaryTo) == 0) {
        errno = EIO;
        return -1;
    }
    if (flags != 0 && g_refuse != Refuse::Nothing) {
        errno = EINVAL; // what the kernel says for a file system without the flag
        return -1;
    }
    return static_cast<int>(::syscall(SYS_renameat2, oldFolder, oldPath, newFolder, newPath, flags));
}

extern "C" int linkat(int oldFolder, const char *oldPath, int newFolder, const char *newPath, int flags) noexcept
{
    if (g_refuse == Refuse::NoReplaceFlagAndLinks) {
        errno = EPERM; // FAT's answer
        return -1;
    }
    return static_cast<int>(::syscall(SYS_linkat, oldFolder, oldPath, newFolder, newPath, flags));
}

namespace {

using testing_support::allNames;
using testing_support::contentOf;
using testing_support::TempFolder;
namespace fs = std::filesystem;

std::error_code errnoCode(int value)
{
    return {value, std::generic_category()};
}

class Refusing {
public:
    explicit Refusing(Refuse refuse) { g_refuse = refuse; }
    ~Refusing() { g_refuse = Refuse::Nothing; }
    Refusing(const Refusing &) = delete;
    Refusing &operator=(const Refusing &) = delete;
};

// The same renames with the kernel's RENAME_NOREPLACE, on a file system that
// refuses the flag, and on one that refuses hard links as well.
TEST(FilesFallbackPosix, RenameFileNeverReplacesWithOrWithoutTheFlagOrLinks)
{
    const struct {
        const char *what;
        std::string from;
        std::string to;
        std::error_code error;
    } rows[] = {
        {"to a free name", "a.txt", "b.txt", {}},
        {"case alone", "a.txt", "A.TXT", {}},
        {"not UTF-8", "\x83\x41.txt", "\x83\x41.TXT", {}},
        {"onto another file", "a.txt", "other.txt", errnoCode(EEXIST)},
        {"onto another spelling that exists", "a.txt", "A.txt", errnoCode(EEXIST)},
        {"onto a folder", "a.txt", "folder", errnoCode(EEXIST)},
        {"onto a hard link of itself", "a.txt", "hard.txt", errnoCode(EEXIST)},
        {"onto a link", "a.txt", "link", errnoCode(EEXIST)},
        {"onto a dangling link", "a.txt", "dangling", errnoCode(EEXIST)},
        {"a file that is gone", "gone.txt", "z.txt", errnoCode(ENOENT)},
        {"into a missing folder", "a.txt", "missing/a.txt", errnoCode(ENOENT)},
        {"onto itself", "a.txt", "a.txt", {}},
    };
    const std::pair<Refuse, const char *> systems[] = {
        {Refuse::Nothing, "with the flag"},
        {Refuse::NoReplaceFlag, "without the flag, links work"},
        {Refuse::NoReplaceFlagAndLinks, "without the flag or links"},
    };
    for (const auto &[refuse, system] : systems) {
        for (const auto &row : rows) {
            SCOPED_TRACE(std::string(row.what) + ", " + system);
            TempFolder temp;
            temp.file("a.txt", "moving");
            if (row.from != "a.txt" && row.from != "gone.txt")
                temp.file(row.from, "moving");
            temp.file("other.txt", "other");
            temp.file("A.txt", "other spelling");
            temp.folder("folder");
            fs::create_symlink("other.txt", temp.path() / "link");
            fs::create_symlink("nothing-there", temp.path() / "dangling");
            fs::create_hard_link(temp.path() / "a.txt", temp.path() / "hard.txt");
            std::set<std::string> expected = allNames(temp.path());
            fs::current_path(temp.path());
            const bool exists = row.from != "gone.txt";
            const auto links = exists ? fs::hard_link_count(row.from) : 0;

            {
                Refusing refusing(refuse);
                EXPECT_EQ(sys::renameFile(row.from, row.to), row.error);
            }

            if (!row.error) {
                expected.erase(row.from);
                expected.insert(row.to);
                EXPECT_EQ(contentOf(row.to), "moving");
                EXPECT_EQ(fs::hard_link_count(row.to), links); // a link made on the way is gone again
            } else if (exists) {
                EXPECT_EQ(contentOf(row.from), "moving");
                EXPECT_EQ(fs::hard_link_count(row.from), links);
            }
            EXPECT_EQ(allNames("."), expected); // no temporary name left behind either
            EXPECT_EQ(contentOf("other.txt"), "other");
            EXPECT_EQ(contentOf("A.txt"), "other spelling");
            EXPECT_EQ(contentOf("hard.txt"), "moving");
            EXPECT_TRUE(fs::is_directory("folder"));
            EXPECT_TRUE(fs::is_empty("folder"));
            EXPECT_EQ(fs::read_symlink("link"), "other.txt");
            EXPECT_EQ(fs::read_symlink("dangling"), "nothing-there");
        }
    }
}

// A rename through a temporary name whose second step fails puts the old name
// back and reports that step's error. "./a.txt" is a.txt itself under another
// spelling, as "A.TXT" is on a case-insensitive file system.
TEST(FilesFallbackPosix, FailedSecondStepPutsTheOldNameBack)
{
    for (const Refuse refuse : {Refuse::Nothing, Refuse::NoReplaceFlagAndLinks}) {
        SCOPED_TRACE(refuse == Refuse::Nothing ? "with the flag" : "without the flag or links");
        TempFolder temp;
        temp.file("a.txt", "kept");
        fs::current_path(temp.path());

        g_failFromTemporaryTo = "./a.txt";
        {
            Refusing refusing(refuse);
            EXPECT_EQ(sys::renameFile("a.txt", "./a.txt"), errnoCode(EIO));
        }
        g_failFromTemporaryTo = nullptr;
        EXPECT_EQ(allNames("."), std::set<std::string>{"a.txt"});
        EXPECT_EQ(contentOf("a.txt"), "kept");

        // And without the failure the same rename goes through.
        EXPECT_FALSE(sys::renameFile("a.txt", "./a.txt"));
        EXPECT_EQ(allNames("."), std::set<std::string>{"a.txt"});
        EXPECT_EQ(contentOf("a.txt"), "kept");
    }
}

} // namespace
