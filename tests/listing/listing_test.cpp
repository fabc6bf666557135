// Tests of the listing's lines and bytes.
#include "listing/listing.h"

#include <gtest/gtest.h>

namespace {

const std::string kHeader = "\x83\x66\x83\x42\x83\x8c\x83\x4e\x83\x67\x83\x8a\x96\xbc\x8f\x6f\x97\xcd\r\n";
const std::string kRule = std::string(38, '+') + "\r\n";
const std::string kCount = "\x83\x74\x83\x40\x83\x43\x83\x8b\x90\x94\x81\x46";

std::string bytesOf(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &names)
{
    std::string bytes;
    EXPECT_FALSE(listing::listingBytes(folder, names, bytes));
    return bytes;
}

TEST(Listing, FramesTheNamesInTheirOrderAndCountsThem)
{
    EXPECT_EQ(bytesOf("/tmp/フォルダ", {"A.txt", "b.txt", "c", "漢字.txt"}),
              kHeader + "/tmp/\x83\x74\x83\x48\x83\x8b\x83\x5f\r\n" + kRule + "A.txt\r\nb.txt\r\nc\r\n\x8a\xbf\x8e\x9a.txt\r\n"
                  + kRule + kCount + " 4\r\n");
    EXPECT_EQ(bytesOf("/empty", {}), kHeader + "/empty\r\n" + kRule + kRule + kCount + " 0\r\n");

    std::vector<std::filesystem::path> many(12, "x");
    const std::string bytes = bytesOf("/f", many);
    EXPECT_EQ(bytes.substr(bytes.size() - kCount.size() - 5), kCount + " 12\r\n");
}

TEST(Listing, KeepsEachNameOnOneLine)
{
    const struct {
        std::string bytes;
        std::u16string line;
    } rows[] = {
        {"plain.txt", u"plain.txt"},
        {"ReadMe.TXT", u"ReadMe.TXT"},
        {"漢字😀", u"漢字😀"},
        {"two\nlines", u"two?lines"},
        {"cr\rtab\tdel\x7f", u"cr?tab?del?"},
        {"c1\xc2\x85", u"c1?"},                       // NEL, a control character too
        {"sjis\x83\x41\x82\xa0.txt", u"sjis?A??.txt"}, // one "?" per invalid byte
        {"cut\xe6\x97", u"cut??"},                    // a sequence cut short
        {"cut\xe6\x97x", u"cut??x"},
        {"over\xc0\xaf", u"over??"},                  // an overlong form
        {"surrogate\xed\xa0\x80", u"surrogate???"},
        {"beyond\xf4\x90\x80\x80", u"beyond????"},
        {"\xef\xbb\xbf" "bom", u"\xfeff" "bom"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(listing::lineText(row.bytes), row.line) << row.bytes;

    const std::string bytes = bytesOf("/f", {"one\ntwo", "a\x82"});
    EXPECT_NE(bytes.find("\r\none?two\r\na?\r\n"), std::string::npos);
}

// Every name's line between the first rule and the second.
std::string namesIn(const std::string &listing)
{
    const std::size_t from = listing.find(kRule) + kRule.size();
    return listing.substr(from, listing.rfind(kRule) - from);
}

TEST(Listing, WritesShiftJisNamesAsTheyStandAndComposesMarks)
{
    const struct {
        const char *what;
        std::string name;
        std::string line;
    } rows[] = {
        {"Shift_JIS, not UTF-8", "\x83\x41\x83\x43.txt", "\x83\x41\x83\x43.txt"},
        {"Shift_JIS cut short", "a\x83", "a?"},
        {"Shift_JIS holding a line feed", "\x83\x41\n", "?A?"},
        {"a decomposed パ", "\xe3\x83\x8f\xe3\x82\x9a.txt", "\x83\x70.txt"},
        {"the Angstrom sign, no mark, stays itself", "\xe2\x84\xab", "\x81\xf0"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(namesIn(bytesOf("/f", {row.name})), row.line + "\r\n") << row.what;

    // Half-width katakana pairs that read as UTF-8 by chance (ﾄｱ as ı) keep their
    // bytes, as a run leaves them; real UTF-8 beside them is written as its text.
    EXPECT_EQ(namesIn(bytesOf("/f", {"\xC4\xB1.txt", "café.txt", "写真.jpg", "\x83\x41.txt"})),
              "\xC4\xB1.txt\r\ncaf?.txt\r\n\x8e\xca\x90\x5e.jpg\r\n\x83\x41.txt\r\n");

    // A Shift_JIS folder within a UTF-8 path keeps its bytes; its UTF-8 neighbours are converted.
    const std::string folder = bytesOf("/データ/\x83\x66\x81\x5b\x83\x5e/a", {});
    EXPECT_EQ(folder.substr(kHeader.size(), folder.find(kRule) - kHeader.size()),
              "/\x83\x66\x81\x5b\x83\x5e/\x83\x66\x81\x5b\x83\x5e/a\r\n");
}

} // namespace
