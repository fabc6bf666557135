// Text in Shift_JIS as Windows code page 932, the encoding of the listing file
// and of names from old Japanese archives.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace sys {

// Appends `text` (UTF-16) to `bytes` in code page 932. A character the code page
// cannot represent, an emoji or a lone surrogate for instance, is written as one
// "?"; a surrogate pair counts as one character. Characters the code page takes
// one way only are written as the code it reads back differently: the wave dash
// U+301C as 0x81 0x60 (read as ～ U+FF5E), the em dash U+2014 as 0x81 0x5C.
// Fails only when the conversion itself is not available.
std::error_code toShiftJis(std::u16string_view text, std::string &bytes);

// The text of `bytes` in code page 932 (UTF-16), or nothing when they are not
// text in it: each byte must be one of a character the code page defines. The
// single bytes Windows alone gives a meaning (0x80, 0xA0, 0xFD to 0xFF) are
// not, as on Linux.
std::optional<std::u16string> fromShiftJis(std::string_view bytes);

// Whether fromShiftJis reads `bytes` as text.
bool isShiftJis(std::string_view bytes);

} // namespace sys
