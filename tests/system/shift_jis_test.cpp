// Tests of text in code page 932 against one table, built into the Linux and the
// Windows test programs alike so that both systems give the same bytes.
#include "system/shift_jis.h"
#include "system/shift_jis_cases.h"

#include <gtest/gtest.h>

namespace {

TEST(ShiftJis, WritesCodePage932AndQuestionMarksForTheRest)
{
    for (const shift_jis_cases::Case &row : shift_jis_cases::kCases) {
        std::string bytes = "kept";
        EXPECT_FALSE(sys::toShiftJis(row.text, bytes));
        EXPECT_EQ(bytes, "kept" + std::string(row.bytes)) << std::string(row.text.begin(), row.text.end());
    }
}

// Longer than one buffer of the conversion, with a character the code page takes
// one way only (〜) between the others.
TEST(ShiftJis, ConvertsTextLongerThanOneBuffer)
{
    std::u16string text;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        text += u"漢😀a〜";
        expected += "\x8a\xbf?a\x81\x60";
    }
    std::string bytes;
    EXPECT_FALSE(sys::toShiftJis(text, bytes));
    EXPECT_EQ(bytes, expected);
}

// A name from an old Japanese archive is written to the listing as its own bytes
// only where they are Shift_JIS through and through.
TEST(ShiftJis, TellsBytesOfCodePage932FromOthers)
{
    const struct {
        std::string_view bytes;
        bool shiftJis;
    } rows[] = {
        {"\x83\x41\x83\x43.txt", true}, // アイ
        {"\xc4\xb1", true},               // ﾄｱ, valid UTF-8 too
        {"\xed\x40\xfa\x5c", true},       // NEC-selected and IBM extensions
        {"\x83", false},                   // a lead byte cut short
        {"\x83\x20", false},              // a trail byte out of range
        {"\x85\x40", false},              // a row the code page leaves empty
        {"a\x80", false},
        {"\xfd\xfe\xff", false},
        {"\xe6\xbc\xa2\xe5\xad\x97", false}, // 漢字 in UTF-8 breaks off at its last byte
    };
    for (const auto &row : rows)
        EXPECT_EQ(sys::isShiftJis(row.bytes), row.shiftJis) << row.bytes;
}

} // namespace
