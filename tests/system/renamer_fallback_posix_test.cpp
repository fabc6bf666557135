// Tests of the renamer on a file system that refuses RENAME_NOREPLACE, or hard
// links as well, and of its way back from a failed rename through a temporary
// name. The renameat2, linkat and renameat below stand in for the C library's:
// they count the calls and pass them to the kernel unless told to refuse.
#include "system/renamer.h"

#include "support/errno_code.h"
#include "support/name_sets.h"
#include "support/temp_folder.h"

#include <cerrno>
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
// A rename or link from a temporary name ("mojik-temp-…") to exactly this name fails with EIO.
const char *g_failFromTemporaryTo = nullptr;
int g_flaggedRenames = 0; // renameat2 calls with RENAME_NOREPLACE
int g_links = 0;
int g_plainRenames = 0; // renameat calls

bool failsHere(const char *from, const char *to)
{
    return g_failFromTemporaryTo && std::strncmp(from, "mojik-temp-", 11) == 0 && std::strcmp(to, g_failFromTemporaryTo) == 0;
}

int fail(int error)
{
    errno = error;
    return -1;
}

} // namespace

extern "C" int renameat2(int oldFolder, const char *oldPath, int newFolder, const char *newPath, unsigned flags) noexcept
{
    if (flags != 0)
        ++g_flaggedRenames;
    if (failsHere(oldPath, newPath))
        return fail(EIO);
    if (flags != 0 && g_refuse != Refuse::Nothing)
        return fail(EINVAL); // what the kernel says for a file system without the flag
    return static_cast<int>(::syscall(SYS_renameat2, oldFolder, oldPath, newFolder, newPath, flags));
}

extern "C" int renameat(int oldFolder, const char *oldPath, int newFolder, const char *newPath) noexcept
{
    ++g_plainRenames;
    return static_cast<int>(::syscall(SYS_renameat, oldFolder, oldPath, newFolder, newPath));
}

extern "C" int linkat(int oldFolder, const char *oldPath, int newFolder, const char *newPath, int flags) noexcept
{
    ++g_links;
    if (failsHere(oldPath, newPath))
        return fail(EIO);
    if (g_refuse == Refuse::NoReplaceFlagAndLinks)
        return fail(EPERM); // FAT's answer
    return static_cast<int>(::syscall(SYS_linkat, oldFolder, oldPath, newFolder, newPath, flags));
}

namespace {

using testing_support::allNames;
using testing_support::contentOf;
using testing_support::TempFolder;
using testing_support::errnoCode;
namespace fs = std::filesystem;

// Refuses as told, with the counts at zero, until it goes out of scope.
struct Refusing {
    explicit Refusing(Refuse refuse, const char *failFromTemporaryTo = nullptr)
    {
        g_refuse = refuse;
        g_failFromTemporaryTo = failFromTemporaryTo;
        g_flaggedRenames = g_links = g_plainRenames = 0;
    }
    ~Refusing()
    {
        g_refuse = Refuse::Nothing;
        g_failFromTemporaryTo = nullptr;
    }
};

const std::pair<Refuse, const char *> kSystems[] = {
    {Refuse::Nothing, "with the flag"},
    {Refuse::NoReplaceFlag, "without the flag, links work"},
    {Refuse::NoReplaceFlagAndLinks, "without the flag or links"},
};

// A renamer for the folder as it is now.
sys::Renamer renamerOf(const fs::path &folder)
{
    std::vector<fs::path> names;
    EXPECT_FALSE(sys::listAllNames(folder, names));
    return sys::Renamer(folder, names);
}

// The same renames with the kernel's RENAME_NOREPLACE, on a file system that
// refuses the flag, and on one that refuses hard links as well.
TEST(RenamerFallbackPosix, NeverReplacesWithOrWithoutTheFlagOrLinks)
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
        {"onto a file made after the read", "a.txt", "late.txt", errnoCode(EEXIST)},
        {"a file that is gone", "gone.txt", "z.txt", errnoCode(ENOENT)},
        {"onto itself", "a.txt", "a.txt", {}},
        {"itself, gone", "gone.txt", "gone.txt", errnoCode(ENOENT)},
    };
    for (const auto &[refuse, system] : kSystems) {
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
            sys::Renamer renamer = renamerOf(temp.path());
            temp.file("late.txt", "late");
            testing_support::NameSet expected = allNames(temp.path());
            const bool exists = row.from != "gone.txt";
            const auto links = exists ? fs::hard_link_count(temp.path() / row.from) : 0;
            {
                Refusing refusing(refuse);
                EXPECT_EQ(renamer.rename(row.from, row.to), row.error);
            }
            fs::current_path(temp.path());
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
            for (const auto &[name, content] :
                 {std::pair{"other.txt", "other"}, {"A.txt", "other spelling"}, {"hard.txt", "moving"}, {"late.txt", "late"}})
                EXPECT_EQ(contentOf(name), content) << name;
            EXPECT_TRUE(fs::is_directory("folder"));
            EXPECT_TRUE(fs::is_empty("folder"));
            EXPECT_EQ(fs::read_symlink("link"), "other.txt");
            EXPECT_EQ(fs::read_symlink("dangling"), "nothing-there");
        }
    }
}

// What a file system refuses is asked once a run: the first change of case goes
// through a temporary name (two renames) and shows that it does not fold case,
// the others take one rename each, whatever the working folder is.
TEST(RenamerFallbackPosix, AsksOnceWhatTheFileSystemRefuses)
{
    const struct {
        Refuse refuse;
        int flaggedRenames;
        int links;
    } rows[] = {
        {Refuse::Nothing, 5, 0},
        {Refuse::NoReplaceFlag, 1, 5},
        {Refuse::NoReplaceFlagAndLinks, 1, 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(static_cast<int>(row.refuse));
        TempFolder temp;
        for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"})
            temp.file(name);
        sys::Renamer renamer = renamerOf(temp.path());
        fs::current_path(temp.folder("elsewhere"));
        Refusing refusing(row.refuse);
        EXPECT_FALSE(renamer.keepsSpellings()); // not known before a change of case
        for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"})
            EXPECT_FALSE(renamer.rename(name, std::string(1, static_cast<char>(name[0] - 'a' + 'A')) + ".TXT")) << name;
        EXPECT_TRUE(renamer.keepsSpellings());
        EXPECT_EQ(g_flaggedRenames, row.flaggedRenames);
        EXPECT_EQ(g_links, row.links);
        EXPECT_EQ(allNames(temp.path()), (testing_support::NameSet{"A.TXT", "B.TXT", "C.TXT", "D.TXT", "elsewhere"}));
        EXPECT_EQ(contentOf(temp.path() / "C.TXT"), "c.txt");
    }
}

// The renames of a run see each other: a name given is taken, a name given up
// is free, as the names it keeps tell before any system call.
TEST(RenamerFallbackPosix, KeepsTheNamesUpToDateWithItsOwnRenames)
{
    TempFolder temp;
    temp.file("a.txt", "a");
    temp.file("x.txt", "x");
    sys::Renamer renamer = renamerOf(temp.path());
    Refusing counting(Refuse::Nothing);
    EXPECT_FALSE(renamer.rename("a.txt", "X.TXT"));
    EXPECT_EQ(renamer.rename("x.txt", "X.TXT"), errnoCode(EEXIST));
    EXPECT_EQ(g_flaggedRenames, 1); // the second was refused by the names alone
    EXPECT_FALSE(renamer.rename("X.TXT", "b.txt"));
    EXPECT_FALSE(renamer.rename("x.txt", "X.TXT")); // free again: through a temporary name, the first change of case
    EXPECT_EQ(g_flaggedRenames, 4);
    EXPECT_EQ(allNames(temp.path()), (testing_support::NameSet{"b.txt", "X.TXT"}));
    EXPECT_EQ(contentOf(temp.path() / "b.txt"), "a");
    EXPECT_EQ(contentOf(temp.path() / "X.TXT"), "x");
}

// The first change of case goes through a temporary name; when its new name is
// taken after the read, or the second step fails otherwise, it comes back.
TEST(RenamerFallbackPosix, AFailedSecondStepPutsTheOldNameBack)
{
    const struct {
        Refuse refuse;
        const char *failing; // the second step fails with EIO instead
        std::error_code error;
    } rows[] = {
        {Refuse::Nothing, nullptr, errnoCode(EEXIST)},
        {Refuse::NoReplaceFlag, nullptr, errnoCode(EEXIST)},
        {Refuse::NoReplaceFlagAndLinks, nullptr, errnoCode(EEXIST)},
        {Refuse::Nothing, "A.TXT", errnoCode(EIO)},
        {Refuse::NoReplaceFlag, "A.TXT", errnoCode(EIO)},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::to_string(static_cast<int>(row.refuse)) + (row.failing ? ", EIO" : ""));
        TempFolder temp;
        temp.file("a.txt", "kept");
        temp.file("b.txt", "b");
        sys::Renamer renamer = renamerOf(temp.path());
        temp.file("A.TXT", "other");
        Refusing refusing(row.refuse, row.failing);
        EXPECT_EQ(renamer.rename("a.txt", "A.TXT"), row.error);
        EXPECT_EQ(allNames(temp.path()), (testing_support::NameSet{"a.txt", "A.TXT", "b.txt"}));
        EXPECT_EQ(contentOf(temp.path() / "a.txt"), "kept");
        EXPECT_EQ(contentOf(temp.path() / "A.TXT"), "other");
        // The temporary name showed that case is not folded: one rename next.
        const int before = g_flaggedRenames + g_links + g_plainRenames;
        EXPECT_FALSE(renamer.rename("b.txt", "B.TXT"));
        EXPECT_EQ(g_flaggedRenames + g_links + g_plainRenames - before, 1);
        EXPECT_EQ(contentOf(temp.path() / "B.TXT"), "b");
    }
}

TEST(RenamerFallbackPosix, AFolderThatCannotBeOpenedRenamesNothing)
{
    TempFolder temp;
    temp.file("a.txt");
    sys::Renamer renamer(temp.path() / "missing", {});
    EXPECT_EQ(renamer.rename("a.txt", "A.TXT"), errnoCode(ENOENT));
    EXPECT_EQ(allNames(temp.path()), testing_support::NameSet{"a.txt"});
}

} // namespace
