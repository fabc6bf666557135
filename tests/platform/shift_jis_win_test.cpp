// Tests of text in code page 932 through Windows beyond the table both builds meet
// (shift_jis_test.cpp, built into the Windows test program too).
#include "platform/shift_jis.h"

#include <gtest/gtest.h>

namespace {

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
