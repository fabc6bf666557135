// Tests of names between the system's bytes and text.
#include "text/names.h"

#include "system/shift_jis.h"

#include <gtest/gtest.h>

namespace {

TEST(Names, OnlyValidUtf8IsText)
{
    const struct {
        std::string bytes;
        bool text;
    } rows[] = {
        {"plain.txt", true},
        {"漢字.TXT", true},
        {"\xEF\xBB\xBF" "bom.txt", true},     // a leading byte order mark is part of the name
        {"\x83\x41\x83\x58.txt", false},       // Shift_JIS bytes
        {"\xC0\xAF.txt", false},               // overlong
        {"\xED\xA0\x80.txt", false},           // an encoded surrogate
        {"cut\xE6\xBC", false},                // a character cut short
    };
    for (const auto &row : rows) {
        const std::filesystem::path name(row.bytes);
        const std::optional<QString> text = text::nameText(name);
        EXPECT_EQ(text.has_value(), row.text) << row.bytes;
        if (text)
            EXPECT_EQ(text::nameFromText(*text).native(), row.bytes);
        else // bytes that are Shift_JIS are shown as its text
            EXPECT_EQ(text::displayName(name).contains(QChar(0xFFFD)), !sys::isShiftJis(row.bytes)) << row.bytes;
    }
}

} // namespace
