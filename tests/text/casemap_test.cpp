// Tests of the case mapping and trimming the conversion run uses.
#include "text/casemap.h"

#include <gtest/gtest.h>

namespace {

struct CaseRow {
    const char *name;
    const char *upper;
    const char *lower;
};

TEST(CaseMap, MapsEachCodePointOneToOne)
{
    const CaseRow rows[] = {
        {"ReadMe.Txt", "README.TXT", "readme.txt"},
        {"12345-_.()", "12345-_.()", "12345-_.()"},
        {"漢字かなカナｶﾅ.txt", "漢字かなカナｶﾅ.TXT", "漢字かなカナｶﾅ.txt"},
        {"ａｂｃＸＹＺ", "ＡＢＣＸＹＺ", "ａｂｃｘｙｚ"},
        {"Ärger-éte", "ÄRGER-ÉTE", "ärger-éte"},
        {"Ωμέγα", "ΩΜΈΓΑ", "ωμέγα"},
        {"Привет", "ПРИВЕТ", "привет"},
        // Full mappings that would change the length leave the code point as it is.
        {"straße", "STRAßE", "straße"},
        {"ﬁle", "ﬁLE", "ﬁle"},
        {"ŉ", "ŉ", "ŉ"},
        {"İstanbul", "İSTANBUL", "İstanbul"},
        // Outside the basic plane: Deseret letters map by their pair.
        {"\xF0\x90\x90\x80\xF0\x90\x90\xA8", "\xF0\x90\x90\x80\xF0\x90\x90\x80", "\xF0\x90\x90\xA8\xF0\x90\x90\xA8"},
    };
    for (const CaseRow &row : rows) {
        const QString name = QString::fromUtf8(row.name);
        EXPECT_EQ(text::upperCase(name), QString::fromUtf8(row.upper)) << row.name;
        EXPECT_EQ(text::lowerCase(name), QString::fromUtf8(row.lower)) << row.name;
        EXPECT_EQ(text::upperCase(name).size(), name.size()) << row.name;
    }
}

TEST(CaseMap, LowerUndoesUpperForLettersOfOneCase)
{
    const QString name = QString::fromUtf8("abc-ａｂｃ-äöü-αβγ-абв.txt");
    EXPECT_EQ(text::lowerCase(text::upperCase(name)), name);
}

TEST(CaseMap, KeepsALoneSurrogate)
{
    const QString lone = QString(QChar(0xD800)) + QStringLiteral("ab");
    EXPECT_EQ(text::upperCase(lone), QString(QChar(0xD800)) + QStringLiteral("AB"));
}

TEST(CaseMap, TrimRemovesOnlyPlainSpaces)
{
    EXPECT_EQ(text::trimSpaces(QStringLiteral("  /tmp/a b  ")), QStringLiteral("/tmp/a b"));
    EXPECT_EQ(text::trimSpaces(QStringLiteral("   ")), QString());
    EXPECT_EQ(text::trimSpaces(QStringLiteral("\u3000x\t")), QStringLiteral("\u3000x\t"));
}

} // namespace
