// Tests of the Windows renamer: changes of case and renames that never replace,
// on Wine's case-insensitive file system, which reports a change of case alone
// as done and keeps the old spelling.
#include "system/renamer.h"

#include "system/files.h"
#include "support/name_sets.h"
#include "support/win_temp_folder.h"

#include <optional>
#include <set>
#include <string>

namespace {

using testing_support::allNames;
using testing_support::contentOf;
using testing_support::WinTempFolder;
namespace fs = std::filesystem;

TEST(RenamerWin, ChangesCaseAndNeverReplaces)
{
    const struct {
        const char *what;
        std::vector<std::pair<std::wstring, std::string>> files; // name, content
        std::vector<std::wstring> folders;
        std::wstring from;
        std::wstring to;
        std::optional<std::errc> error;
        testing_support::NameSet listed; // every name afterwards, exactly as spelt
    } rows[] = {
        {"case alone, to upper", {{L"ab.txt", "ab"}}, {}, L"ab.txt", L"AB.TXT", {}, {L"AB.TXT"}},
        {"case alone, to lower", {{L"CD.TXT", "cd"}}, {}, L"CD.TXT", L"cd.txt", {}, {L"cd.txt"}},
        {"case alone, mixed", {{L"Ef.Txt", "ef"}}, {}, L"Ef.Txt", L"eF.tXT", {}, {L"eF.tXT"}},
        {"case alone, beside Japanese", {{L"日本語a.txt", "jp"}}, {}, L"日本語a.txt", L"日本語A.TXT", {},
         {L"日本語A.TXT"}},
        {"case alone, accented", {{L"déjà.txt", "dj"}}, {}, L"déjà.txt", L"DÉJÀ.TXT", {}, {L"DÉJÀ.TXT"}},
        {"to a free name", {{L"g.txt", "g"}}, {}, L"g.txt", L"h.txt", {}, {L"h.txt"}},
        {"onto another file", {{L"x.txt", "x"}, {L"y.txt", "y"}}, {}, L"x.txt", L"Y.TXT", std::errc::file_exists,
         {L"x.txt", L"y.txt"}},
        {"onto another file, same case", {{L"p.txt", "p"}, {L"q.txt", "q"}}, {}, L"p.txt", L"q.txt",
         std::errc::file_exists, {L"p.txt", L"q.txt"}},
        {"onto a folder", {{L"f.txt", "f"}}, {L"sub"}, L"f.txt", L"SUB", std::errc::file_exists, {L"f.txt", L"sub"}},
        {"a file that is gone", {}, {}, L"gone.txt", L"GONE.TXT", std::errc::no_such_file_or_directory, {}},
        {"onto a file made after the read", {{L"m.txt", "m"}, {L"late.txt", "late"}}, {}, L"m.txt", L"LATE.TXT",
         std::errc::file_exists, {L"m.txt", L"late.txt"}},
        {"onto itself", {{L"s.txt", "s"}}, {}, L"s.txt", L"s.txt", {}, {L"s.txt"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        WinTempFolder temp;
        for (const auto &[name, content] : row.files)
            temp.file(name, content);
        for (const std::wstring &folder : row.folders)
            temp.folder(folder);
        std::vector<fs::path> read;
        ASSERT_FALSE(sys::listAllNames(temp.path(), read));
        std::erase(read, fs::path(L"late.txt")); // made after the folder was read
        sys::Renamer renamer(temp.path(), read);
        ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));

        const std::error_code error = renamer.rename(row.from, row.to);
        if (row.error)
            EXPECT_EQ(error, *row.error) << error.message();
        else
            EXPECT_FALSE(error) << error.message();

        EXPECT_EQ(allNames(L"."), row.listed); // nothing left under a temporary name either
        for (const auto &[name, content] : row.files) {
            const std::wstring now = !row.error && name == row.from ? row.to : name;
            EXPECT_EQ(contentOf(now), content) << fs::path(now).string();
        }
    }
}

// After the first change of case has shown the file system's ways, the others
// of the run take the way it learnt, and each still ends spelt as asked.
TEST(RenamerWin, ChangesTheCaseOfEveryFileOfARun)
{
    WinTempFolder temp;
    for (const wchar_t *name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"})
        temp.file(name, "of " + fs::path(name).string());
    std::vector<fs::path> read;
    ASSERT_FALSE(sys::listAllNames(temp.path(), read));
    sys::Renamer renamer(temp.path(), read);
    for (const wchar_t *name : {L"a.txt", L"b.txt", L"c.txt", L"d.txt"}) {
        std::wstring upper = name;
        upper[0] = static_cast<wchar_t>(upper[0] - L'a' + L'A');
        EXPECT_FALSE(renamer.rename(name, upper)) << fs::path(name).string();
    }
    EXPECT_EQ(allNames(temp.path()), (testing_support::NameSet{L"A.txt", L"B.txt", L"C.txt", L"D.txt"}));
    EXPECT_EQ(contentOf(temp.path() / L"C.txt"), "of c.txt");
}

TEST(RenamerWin, AFileInUseIsNotRenamed)
{
    for (const wchar_t *to : {L"AB.TXT", L"other.txt"}) {
        WinTempFolder temp;
        const fs::path file = temp.file("ab.txt", "in use");
        ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));
        sys::Renamer renamer(L".", {L"ab.txt"});
        // Opened without FILE_SHARE_DELETE: nobody may rename it while it is open.
        HANDLE open = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(open, INVALID_HANDLE_VALUE);

        EXPECT_TRUE(renamer.rename(L"ab.txt", to)) << fs::path(to).string();

        CloseHandle(open);
        EXPECT_EQ(allNames(L"."), testing_support::NameSet{L"ab.txt"}) << fs::path(to).string();
        EXPECT_EQ(contentOf("ab.txt"), "in use");
    }
}

} // namespace
