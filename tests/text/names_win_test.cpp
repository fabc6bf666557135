// Tests of Windows names between their UTF-16 units and text.
#include "text/names.h"

#include <gtest/gtest.h>

namespace {

TEST(NamesWin, TextUnlessASurrogateStandsAlone)
{
    const struct {
        std::wstring units;
        bool text;
        QString shown;
    } rows[] = {
        {L"plain.txt", true, QStringLiteral("plain.txt")},
        {L"漢字.TXT", true, QStringLiteral("漢字.TXT")},
        {L"\uFEFFbom.txt", true, QStringLiteral("\uFEFFbom.txt")}, // a leading U+FEFF is part of the name
        {L"\xD83D\xDE00.txt", true, QStringLiteral("😀.txt")},
        {L"lone\xD800.txt", false, QStringLiteral("lone\uFFFD.txt")},
        {L"\xDC00\xD800", false, QStringLiteral("\uFFFD\uFFFD")},
    };
    for (const auto &row : rows) {
        const std::filesystem::path name(row.units);
        const std::optional<QString> text = text::nameText(name);
        EXPECT_EQ(text.has_value(), row.text) << row.shown.toStdString();
        if (text) {
            EXPECT_EQ(text::nameFromText(*text).native(), row.units);
        }
        EXPECT_EQ(text::displayName(name), row.shown);
    }
}

} // namespace
