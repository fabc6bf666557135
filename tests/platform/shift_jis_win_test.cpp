// Tests of text in code page 932 through Windows, against the table the Linux build meets too.
#include "platform/shift_jis.h"
#include "platform/shift_jis_cases.h"

#include <gtest/gtest.h>

namespace {

TEST(ShiftJisWin, WritesTheSameBytesAsTheLinuxBuild)
{
    for (const shift_jis_cases::Case &row : shift_jis_cases::kCases) {
        std::string bytes = "kept";
        EXPECT_FALSE(platform::toShiftJis(row.text, bytes));
        EXPECT_EQ(bytes, "kept" + std::string(row.bytes)) << std::string(row.text.begin(), row.text.end());
    }
}

TEST(ShiftJisWin, ConvertsLongTextWithOneWayCharactersBetween)
{
    std::u16string text;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        text += u"漢😀a〜";
        expected += "\x8a\xbf?a\x81\x60";
    }
    std::string bytes;
    EXPECT_FALSE(platform::toShiftJis(text, bytes));
    EXPECT_EQ(bytes, expected);
}

} // namespace
