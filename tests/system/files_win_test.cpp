// Tests of the Windows file operations: which entries the file list shows, and
// renaming that never replaces, on Wine's case-insensitive file system.
#include "system/files.h"

#include "support/name_sets.h"
#include "support/win_temp_folder.h"

#include <optional>
#include <set>
#include <string>

namespace {

using testing_support::allNames;
using testing_support::asSet;
using testing_support::contentOf;
using testing_support::WinTempFolder;
namespace fs = std::filesystem;

TEST(FilesWin, ListFilesLeavesOutFoldersAndHiddenAndSystemFiles)
{
    WinTempFolder temp;
    const struct {
        const wchar_t *name;
        DWORD attributes;
        bool folder;
        bool listed;
    } rows[] = {
        {L"plain.txt", FILE_ATTRIBUTE_NORMAL, false, true},
        {L"UPPER.TXT", FILE_ATTRIBUTE_ARCHIVE, false, true},
        {L"日本語.txt", FILE_ATTRIBUTE_NORMAL, false, true},
        {L"readonly.txt", FILE_ATTRIBUTE_READONLY, false, true},
        {L"hidden.txt", FILE_ATTRIBUTE_HIDDEN, false, false},
        {L"system.txt", FILE_ATTRIBUTE_SYSTEM, false, false},
        {L"both.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, false, false},
        {L"folder", FILE_ATTRIBUTE_DIRECTORY, true, false},
        {L"folder.txt", FILE_ATTRIBUTE_DIRECTORY, true, false},
    };
    std::set<std::wstring> listed;
    std::set<std::wstring> all;
    for (const auto &row : rows) {
        const fs::path path = row.folder ? temp.folder(row.name) : temp.file(row.name);
        if (!row.folder) {
            ASSERT_TRUE(SetFileAttributesW(path.c_str(), row.attributes)) << path.string();
        }
        ASSERT_EQ(GetFileAttributesW(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
                  row.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            << "attributes not kept for " << path.string();
        if (row.listed)
            listed.insert(row.name);
        all.insert(row.name);
    }
    temp.file(L"folder\\inner.txt");

    std::vector<fs::path> names;
    EXPECT_FALSE(sys::listFiles(temp.path(), names));
    EXPECT_EQ(asSet(names), listed);
    EXPECT_EQ(allNames(temp.path()), all);

    ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));
    EXPECT_FALSE(sys::listFiles(L"", names)); // the working folder
    EXPECT_EQ(asSet(names), listed);
    EXPECT_FALSE(sys::listFiles(L"folder", names));
    EXPECT_EQ(asSet(names), std::set<std::wstring>{L"inner.txt"});
}

TEST(FilesWin, ListingWhatIsNoFolderFailsWithAnEmptyList)
{
    WinTempFolder temp;
    const fs::path file = temp.file("file.txt");
    for (const fs::path &folder : {temp.path() / "missing", file}) {
        std::vector<fs::path> names{L"left over"};
        EXPECT_TRUE(sys::listFiles(folder, names)) << folder.string();
        EXPECT_TRUE(names.empty());
        names = {L"left over"};
        EXPECT_TRUE(sys::listAllNames(folder, names)) << folder.string();
        EXPECT_TRUE(names.empty());
    }
    const fs::path empty = temp.folder("empty");
    std::vector<fs::path> names{L"left over"};
    EXPECT_FALSE(sys::listFiles(empty, names));
    EXPECT_TRUE(names.empty());
}

TEST(FilesWin, RenameChangesCaseAndNeverReplaces)
{
    const struct {
        const char *what;
        std::vector<std::pair<std::wstring, std::string>> files; // name, content
        std::vector<std::wstring> folders;
        std::wstring from;
        std::wstring to;
        std::optional<std::errc> error;
        std::set<std::wstring> listed; // every name afterwards, exactly as spelt
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
        {"into a missing folder", {{L"m.txt", "m"}}, {}, L"m.txt", L"missing\\m.txt",
         std::errc::no_such_file_or_directory, {L"m.txt"}},
        {"onto itself", {{L"s.txt", "s"}}, {}, L"s.txt", L"s.txt", {}, {L"s.txt"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        WinTempFolder temp;
        for (const auto &[name, content] : row.files)
            temp.file(name, content);
        for (const std::wstring &folder : row.folders)
            temp.folder(folder);
        ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));

        const std::error_code error = sys::renameFile(row.from, row.to);
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

TEST(FilesWin, AFileInUseIsNotRenamed)
{
    for (const wchar_t *to : {L"AB.TXT", L"other.txt"}) {
        WinTempFolder temp;
        const fs::path file = temp.file("ab.txt", "in use");
        ASSERT_TRUE(SetCurrentDirectoryW(temp.path().c_str()));
        // Opened without FILE_SHARE_DELETE: nobody may rename it while it is open.
        HANDLE open = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(open, INVALID_HANDLE_VALUE);

        EXPECT_TRUE(sys::renameFile(L"ab.txt", to)) << fs::path(to).string();

        CloseHandle(open);
        EXPECT_EQ(allNames(L"."), std::set<std::wstring>{L"ab.txt"}) << fs::path(to).string();
        EXPECT_EQ(contentOf("ab.txt"), "in use");
    }
}

} // namespace
