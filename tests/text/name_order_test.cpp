// Tests of the order the file list shows names in.
#include "text/name_order.h"
#include "text/names.h"

#include <QString>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

TEST(FileListOrder, SortsWithoutRegardToCaseInAFixedOrder)
{
    std::vector<std::filesystem::path> names{"b.txt", "a.txt", "漢字.txt", "c", "ä.txt", "_x", "A.txt", "Ä.txt", "B.TXT"};
    text::sortNames(names);
    EXPECT_EQ(names, (std::vector<std::filesystem::path>{"_x", "A.txt", "a.txt", "B.TXT", "b.txt", "c", "Ä.txt", "ä.txt",
                                                         "漢字.txt"}));
}

// Many names that share long beginnings, end within or just past eight bytes and
// differ only in case (up to every spelling of one), on one core and in two halves merged: the order must be the
// one a plain comparison gives.
TEST(FileListOrder, SortsManyNamesAlikeInTheirBeginnings)
{
    std::mt19937 random(7);
    const std::vector<std::string> pieces{"a", "A", "b", "_", "img_2023", "IMG_2023", "0", "z", "Z", "ä", "Ä", "漢"};
    const auto key = [](const std::filesystem::path &name) {
        return text::displayName(name).toCaseFolded();
    };
    for (const int count : {3000, 12000}) {
        std::vector<std::filesystem::path> names;
        for (int i = 0; i < count; ++i) {
            std::string name;
            for (int length = 1 + static_cast<int>(random() % 6); length > 0; --length)
                name += pieces[random() % pieces.size()];
            names.emplace_back(name);
        }
        // Every spelling of one name: more names with one key than a comparison sort is left.
        for (unsigned upper = 0; upper < 128; ++upper) {
            std::string name = "abcdefg";
            for (std::size_t i = 0; i < name.size(); ++i)
                name[i] = static_cast<char>(upper >> i & 1 ? name[i] - 'a' + 'A' : name[i]);
            names.emplace_back(name);
        }
        std::vector<std::filesystem::path> expected = names;
        std::sort(expected.begin(), expected.end(), [&](const auto &a, const auto &b) {
            return std::pair(key(a), a.native()) < std::pair(key(b), b.native());
        });
        expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
        std::shuffle(names.begin(), names.end(), random);

        text::sortNames(names);
        EXPECT_EQ(names, expected) << count << " names";
    }
}

} // namespace
