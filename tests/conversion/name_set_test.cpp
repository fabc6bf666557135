// Tests of the flat set of names a run checks every name of a big folder against.
#include "conversion/name_set.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using conversion::NameSet;
using Name = std::filesystem::path::string_type;

Name nameOf(const std::string &text)
{
    return std::filesystem::path(text).native();
}

// Names alike but for case, length or one unit are told apart, in a set full
// enough that probes run on past other names and round the table's end.
TEST(NameSet, TellsApartNamesAlikeButNotTheSame)
{
    std::vector<std::filesystem::path> names;
    for (int i = 0; i < 5000; ++i)
        names.emplace_back("name" + std::to_string(i) + ".txt");
    names.emplace_back("x.txt");
    names.emplace_back("X.TXT");
    const NameSet set(names);
    for (const auto &name : names)
        EXPECT_TRUE(set.contains(name.native())) << name;
    for (const char *absent : {"x.TXT", "X.txt", "x.txt ", "name0.tx", "name0.txtt", "Name0.txt", "name5000.txt", "ame0.txt"}) {
        const Name name = nameOf(absent);
        EXPECT_FALSE(set.contains(name)) << absent;
    }
}

TEST(NameSet, InsertSaysWhetherTheNameWasNewAndLeavesOutEmptyNames)
{
    const Name a = nameOf("a"), b = nameOf("b"), sameAsA = nameOf("a"), empty;
    NameSet set(3);
    EXPECT_TRUE(set.insert(a));
    EXPECT_TRUE(set.insert(b));
    EXPECT_FALSE(set.insert(sameAsA)); // the same name in another string
    EXPECT_TRUE(set.contains(sameAsA));

    const std::vector<std::filesystem::path> names{"c", "", "d"}; // the set looks into them
    const NameSet fromList(names);
    EXPECT_FALSE(fromList.contains(empty));
    EXPECT_TRUE(fromList.contains(nameOf("d")));
}

} // namespace
