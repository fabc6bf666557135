// Tests of the listing of names that are bytes rather than text, as names here
// may be: Shift_JIS names from old Japanese archives, and broken UTF-8.
#include "listing/listing_bytes.h"

namespace {

using namespace listing_testing;

TEST(ListingBytes, WritesShiftJisNamesAsTheyStand)
{
    const struct {
        const char *what;
        std::string name;
        std::string line;
    } rows[] = {
        {"Shift_JIS, not UTF-8", "\x83\x41\x83\x43.txt", "\x83\x41\x83\x43.txt"},
        {"Shift_JIS cut short", "a\x83", "a?"},
        {"Shift_JIS holding a line feed", "\x83\x41\n", "?A?"},
        {"a surrogate written in UTF-8, one mark a byte", "surrogate\xed\xa0\x80", "surrogate???"},
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

// A name its bytes leave in doubt (§± or ﾂｧﾂｱ) is written as the folder's other
// names say, as a run judges it; alone it keeps its bytes.
TEST(ListingBytes, WritesANameInDoubtAsTheFolderSays)
{
    const std::string doubt = "\xC2\xA7\xC2\xB1.txt";
    const struct {
        const char *what;
        std::vector<std::string> names;
        std::string lines;
    } rows[] = {
        {"alone", {doubt}, doubt + "\r\n"},
        {"beside UTF-8", {doubt, "写真.jpg"}, "\x81\x98\x81\x7d.txt\r\n\x8e\xca\x90\x5e.jpg\r\n"},
        {"beside Shift_JIS", {doubt, "\x83\x41.txt"}, doubt + "\r\n\x83\x41.txt\r\n"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(namesIn(bytesOf("/f", row.names)), row.lines) << row.what;
}

} // namespace
