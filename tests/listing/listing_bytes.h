// The listing's fixed lines in code page 932, and a listing's bytes made of
// names given as bytes (UTF-8 on Windows), for the tests of the listing.
#pragma once

#include "listing/listing.h"
#include "system/paths.h"

#include <gtest/gtest.h>

namespace listing_testing {

const std::string kHeader = "\x83\x66\x83\x42\x83\x8c\x83\x4e\x83\x67\x83\x8a\x96\xbc\x8f\x6f\x97\xcd\r\n";
const std::string kRule = std::string(38, '+') + "\r\n";
const std::string kCount = "\x83\x74\x83\x40\x83\x43\x83\x8b\x90\x94\x81\x46";

inline std::string bytesOf(const std::string &folder, const std::vector<std::string> &names)
{
    std::vector<std::filesystem::path> paths;
    for (const std::string &name : names)
        paths.push_back(sys::pathFromBytes(name));
    std::string bytes;
    EXPECT_FALSE(listing::listingBytes(sys::pathFromBytes(folder), paths, bytes));
    return bytes;
}

// Every name's line between the first rule and the second.
inline std::string namesIn(const std::string &listing)
{
    const std::size_t from = listing.find(kRule) + kRule.size();
    return listing.substr(from, listing.rfind(kRule) - from);
}

} // namespace listing_testing
