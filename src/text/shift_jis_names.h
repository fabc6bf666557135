// Names that may be Shift_JIS bytes even though they read as UTF-8. Half-width
// katakana pairs such as ﾄｱ (C4 B1) are valid UTF-8 (ı), and changing the case
// of that reading would rewrite the bytes and spoil the name. No rule tells every
// such name from real UTF-8, so these look for clear evidence and, where it is
// found, leave the name alone.
#pragma once

#include <QString>
#include <filesystem>
#include <vector>

namespace text {

// Whether the folder holds a name that is not UTF-8 but reads as code page 932:
// a sign that its names came from a Shift_JIS system.
bool holdsShiftJisNames(const std::vector<std::filesystem::path> &names);

// Whether a name that reads as UTF-8 may be Shift_JIS bytes: in a
// folder that holds Shift_JIS names, any name beyond ASCII that also reads as
// code page 932; elsewhere, a name made of half-width katakana pairs whose UTF-8
// reading is improbable (symbols, modifier or combining marks, or letters of two
// scripts side by side).
bool mayBeShiftJis(const std::filesystem::path &name, bool folderHoldsShiftJis);

} // namespace text
