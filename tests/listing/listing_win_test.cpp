// Tests of the listing of Windows names that are not text: a surrogate that
// stands alone, which NTFS keeps.
#include "listing/listing_bytes.h"

namespace {

using namespace listing_testing;

TEST(ListingWin, ASurrogateStandingAloneTakesOneMark)
{
    EXPECT_EQ(listing::lineText(std::filesystem::path(L"lone\xD800.txt")), u"lone?.txt");
    EXPECT_EQ(listing::lineText(std::filesystem::path(L"\xDC00\xD83D\xDE00")), u"?\U0001F600");
    std::string bytes;
    ASSERT_FALSE(listing::listingBytes(L"C:\\\xDBFF", {L"a\xDC00.txt"}, bytes));
    EXPECT_EQ(namesIn(bytes), "a?.txt\r\n");
    EXPECT_NE(bytes.find("C:\\?\r\n"), std::string::npos);
}

} // namespace
