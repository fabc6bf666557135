// Tests of renameFile's ways around a file system that refuses RENAME_NOREPLACE,
// or hard links as well, and of the way back from a failed rename through a
// temporary name. The test program's own renameat2 and linkat (below) stand in
// for the C library's; they pass every call on to the kernel unchanged unless
// a test here asks them to refuse, as such file systems do.
#include "platform/files.h"

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

using testing_support::contentOf;
using testing_support::TempFolder;
namespace fs = std::filesystem;

std::error_code errnoCode(int value)
{
    return {value, std::generic_category()};
}

std::set<std::string> allNames(const fs::path &folder)
{
    std::vector<fs::path> names;
    EXPECT_FALSE(platform::listAllNames(folder, names));
    std::set<std::string> set;
    for (const fs::path &name : names)
        set.insert(name.native());
    return set;
}

class Refusing {
public:
    explicit Refusing(Refuse refuse) { g_refuse = refuse; }
    ~Refusing() { g_refuse = Refuse::Nothing; }
    Refusing(const Refusing &) = delete;
    Refusing &operator=(const Refusing &) = delete;
};

TEST(FilesFallbackPosix, RenameWithoutTheNoReplaceFlagStillNeverReplaces)
{
    const struct {
        const char *what;
        std::string from;
        std::string to;
        std::error_code error;
    } rows[] = {
        {"to a free name", "a.txt", "b.txt", {}},
        {"case alone", "a.txt", "A.TXT", {}},
        {"onto another file", "a.txt", "other.txt", errnoCode(EEXIST)},
        {"onto a folder", "a.txt", "folder", errnoCode(EEXIST)},
        {"onto a dangling link", "a.txt", "dangling", errnoCode(EEXIST)},
        {"a file that is gone", "gone.txt", "z.txt", errnoCode(ENOENT)},
    };
    for (const Refuse refuse : {Refuse::NoReplaceFlag, Refuse::NoReplaceFlagAndLinks}) {
        for (const auto &row : rows) {
            SCOPED_TRACE(std::string(row.what) + (refuse == Refuse::NoReplaceFlag ? ", links work" : ", no links"));
            TempFolder temp;
            temp.file("a.txt", "moving");
            temp.file("other.txt", "other");
            temp.folder("folder");
            fs::create_symlink("nothing-there", temp.path() / "dangling");
            std::set<std::string> expected = allNames(temp.path());
            fs::current_path(temp.path());

            {
                Refusing refusing(refuse);
                EXPECT_EQ(platform::renameFile(row.from, row.to), row.error);
            }

            if (!row.error) {
                expected.erase(row.from);
                expected.insert(row.to);
                EXPECT_EQ(contentOf(row.to), "moving");
                EXPECT_EQ(fs::hard_link_count(row.to), 1u); // the link made on the way is gone again
            } else {
                EXPECT_EQ(contentOf("a.txt"), "moving");
                EXPECT_EQ(fs::hard_link_count("a.txt"), 1u);
            }
            EXPECT_EQ(allNames("."), expected);
            EXPECT_EQ(contentOf("other.txt"), "other");
            EXPECT_TRUE(fs::is_empty("folder"));
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
            EXPECT_EQ(platform::renameFile("a.txt", "./a.txt"), errnoCode(EIO));
        }
        g_failFromTemporaryTo = nullptr;
        EXPECT_EQ(allNames("."), std::set<std::string>{"a.txt"});
        EXPECT_EQ(contentOf("a.txt"), "kept");

        // And without the failure the same rename goes through.
        EXPECT_FALSE(platform::renameFile("a.txt", "./a.txt"));
        EXPECT_EQ(allNames("."), std::set<std::string>{"a.txt"});
        EXPECT_EQ(contentOf("a.txt"), "kept");
    }
}

} // namespace
