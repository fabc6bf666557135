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

} // namespace
