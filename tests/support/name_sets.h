// What a folder holds as one set of names in the system's own spelling, for
// comparing a folder before and after. Standard library and system/.
#pragma once

#include "system/files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace testing_support {

// Paths rather than strings, so that the tests' names make one on every system.
using NameSet = std::set<std::filesystem::path>;

inline NameSet asSet(const std::vector<std::filesystem::path> &names)
{
    NameSet set;
    for (const std::filesystem::path &name : names)
        set.insert(name);
    return set;
}

// Every name in the folder, hidden ones and subfolders included.
inline NameSet allNames(const std::filesystem::path &folder)
{
    std::vector<std::filesystem::path> names;
    EXPECT_FALSE(sys::listAllNames(folder, names));
    return asSet(names);
}

// The names the file list shows.
inline NameSet filesIn(const std::filesystem::path &folder)
{
    std::vector<std::filesystem::path> names;
    EXPECT_FALSE(sys::listFiles(folder, names));
    return asSet(names);
}

} // namespace testing_support
