// Tests of Windows paths as bytes: every UTF-16 name there and back exactly, and
// bytes that no name gives back without an exception.
#include "system/paths.h"

#include <gtest/gtest.h>

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

} // namespace
