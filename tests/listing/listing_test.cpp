// Tests of the listing's lines and bytes.
#include "listing/listing_bytes.h"

namespace {

using namespace listing_testing;

TEST(Listing, FramesTheNamesInTheirOrderAndCountsThem)
{
    const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
    EXPECT_EQ(bytesOf("/tmp/フォルダ", {"A.txt", "b.txt", "c", "漢字.txt"}),
              kHeader + "/tmp" + separator + "\x83\x74\x83\x48\x83\x8b\x83\x5f\r\n" + kRule
                  + "A.txt\r\nb.txt\r\nc\r\n\x8a\xbf\x8e\x9a.txt\r\n" + kRule + kCount + " 4\r\n");
    EXPECT_EQ(bytesOf("/empty", {}), kHeader + "/empty\r\n" + kRule + kRule + kCount + " 0\r\n");

    const std::string bytes = bytesOf("/f", std::vector<std::string>(12, "x"));
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
        {"beyond\xf4\x90\x80\x80", u"beyond????"},
        {"\xef\xbb\xbf" "bom", u"\xfeff" "bom"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(listing::lineText(sys::pathFromBytes(row.bytes)), row.line) << row.bytes;

    const std::string bytes = bytesOf("/f", {"one\ntwo", "a\x82"});
    EXPECT_NE(bytes.find("\r\none?two\r\na?\r\n"), std::string::npos);
}

// Marks written after their character are composed with it, and real UTF-8
// names are written as their text.
TEST(Listing, ComposesMarksAndWritesTextInCodePage932)
{
    const struct {
        const char *what;
        std::string name;
        std::string line;
    } rows[] = {
        {"a decomposed パ", "\xe3\x83\x8f\xe3\x82\x9a.txt", "\x83\x70.txt"},
        {"the Angstrom sign, no mark, stays itself", "\xe2\x84\xab", "\x81\xf0"},
        {"a letter the code page lacks", "café.txt", "caf?.txt"},
        {"kanji", "写真.jpg", "\x8e\xca\x90\x5e.jpg"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(namesIn(bytesOf("/f", {row.name})), row.line + "\r\n") << row.what;
}

} // namespace
