// What the window's question lists under its details: the plan's renames and the
// names it leaves, in the file list's order, and how many of each.
#pragma once

#include "conversion/plan.h"

#include <QString>
#include <filesystem>
#include <vector>

namespace conversion {

// A box that lists a huge folder whole would keep the user waiting for it: past
// this many names, one line says how many more there are.
constexpr std::size_t kDetailLines = 2000;

// `listed` are the names `plan` was made of, by `conversions`. A carriage return
// breaks the lines, as in the message box.
QString planDetails(const std::vector<std::filesystem::path> &listed, const Plan &plan, const Conversions &conversions,
                    std::size_t lines = kDetailLines);

} // namespace conversion
