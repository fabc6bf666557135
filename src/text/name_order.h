// The order the file list shows names in, also kept by the command line.
#pragma once

#include <filesystem>
#include <vector>

namespace text {

// Sorts bare names by their text without regard to case; names equal but for case
// keep a fixed order (by their bytes).
void sortNames(std::vector<std::filesystem::path> &names);

// The same order as indices into `names`, which stay as they are.
std::vector<std::size_t> sortedOrder(const std::vector<std::filesystem::path> &names);

} // namespace text
