// Tests of Windows paths: one spelling of a folder whatever the letter case it
// is asked in, and paths as bytes, every UTF-16 name there and back exactly.
#include "system/paths.h"

#include "support/win_temp_folder.h"

namespace {

TEST(PathsWin, EveryNameGoesToBytesAndBackExactly)
{
    const struct {
        std::wstring name;
        std::string bytes;
    } rows[] = {
        {L"plain.txt", "plain.txt"},
        {L"漢字.txt", "\xE6\xBC\xA2\xE5\xAD\x97.txt"},
        {L"\xD83D\xDE00.txt", "\xF0\x9F\x98\x80.txt"},    // a pair: one character
        {L"lone\xD800.txt", "lone\xED\xA0\x80.txt"},      // a high surrogate alone
        {L"\xDC00\xD800", "\xED\xB0\x80\xED\xA0\x80"},     // low before high: two alone
        {L"C:\\データ\\end\xDBFF", "C:\\\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF\\end\xED\xAF\xBF"},
    };
    for (const auto &row : rows) {
        const std::filesystem::path path(row.name);
        EXPECT_EQ(sys::pathBytes(path), row.bytes);
        std::string appended = "x";
        sys::appendPathBytes(appended, path);
        EXPECT_EQ(appended, "x" + row.bytes);
        EXPECT_EQ(sys::pathFromBytes(row.bytes).native(), row.name);
    }
}

TEST(PathsWin, BytesThatNoNameGivesBecomeMarksOneForOne)
{
    const struct {
        std::string bytes;
        std::wstring name;
    } rows[] = {
        {"--\xFF", L"--\uFFFD"},
        {"cut\xE6\x97", L"cut\uFFFD\uFFFD"},
        {"over\xC0\xAF", L"over\uFFFD\uFFFD"},
        {"beyond\xF4\x90\x80\x80", L"beyond\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"\x83\x41\x83\x58.txt", L"\uFFFDA\uFFFDX.txt"}, // Shift_JIS bytes
    };
    for (const auto &row : rows)
        EXPECT_EQ(sys::pathFromBytes(row.bytes).native(), row.name) << row.bytes;
}

// A run keys its journals by this spelling, so an undo asked in another letter
// case finds them.
TEST(PathsWin, AFolderResolvesToTheSpellingItsParentGivesIt)
{
    testing_support::WinTempFolder temp;
    std::filesystem::create_directories(temp.path() / L"Fotos" / L"Urlaub 2026");
    const std::filesystem::path spelt = sys::resolvedFolder(temp.path()) / L"Fotos" / L"Urlaub 2026";
    EXPECT_TRUE(std::filesystem::is_directory(spelt));
    for (const std::filesystem::path &asked : {temp.path() / L"FOTOS" / L"urlaub 2026",
                                               temp.path() / L"fotos\\URLAUB 2026\\",
                                               temp.path() / L"Fotos" / L"x" / L".." / L"Urlaub 2026"})
        EXPECT_EQ(sys::resolvedFolder(asked), spelt) << asked.string();
    // What is not there keeps its text below what is.
    EXPECT_EQ(sys::resolvedFolder(temp.path() / L"FOTOS" / L"Missing"), spelt.parent_path() / L"Missing");
    EXPECT_EQ(sys::resolvedFolder(L"c:\\").native().substr(0, 2), L"C:");
}

} // namespace
