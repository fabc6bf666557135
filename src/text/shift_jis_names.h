// Names that may be Shift_JIS bytes even though they read as UTF-8. Half-width
// katakana pairs such as ﾄｱ (C4 B1) are valid UTF-8 (ı), and changing the case
// of that reading would rewrite the bytes and spoil the name. Each name is judged
// by which of its two readings looks like something a person named a file.
#pragma once

#include <filesystem>

namespace text {

// Whether a name that reads as UTF-8 may be Shift_JIS bytes, so that neither the
// run nor the listing takes it as UTF-8. A name whose bytes also read as code page
// 932 is taken as UTF-8 only when that reading is implausible and its UTF-8
// reading is not; in doubt it is left as it is.
// - The code page 932 reading of UTF-8 text has kanji that Japanese hardly uses
//   (every UTF-8 kanji and kana begins with the lead byte of one), or half-width
//   katakana pressed against a letter, a digit or a kanji, or more than three in
//   a row (蜀咏悄.jpg, cafﾃｩ.txt, ﾐｼﾐｰ.txt).
// - A UTF-8 reading is implausible with a control, format, private or unassigned
//   character, a mark with nothing to sit on, or letters of two scripts side by
//   side other than Japanese; and, among the characters of two bytes that chance
//   gives, with a letter standing alone or a symbol with no letter or digit
//   beside it (ﾄｱ.txt as ı.txt, ﾂｰ.txt as °.txt).
bool mayBeShiftJis(const std::filesystem::path &name);

} // namespace text
