// Text and the code page 932 bytes the listing file holds for it: one table that
// the Linux and the Windows conversion must both give.
#pragma once

#include <string_view>

namespace shift_jis_cases {

struct Case {
    std::u16string_view text;
    std::string_view bytes;
};

inline constexpr Case kCases[] = {
    {u"", ""},
    {u"FNAME.TXT 0-9~\\", "FNAME.TXT 0-9~\\"},
    {u"漢字", "\x8a\xbf\x8e\x9a"},
    {u"ﾃｷｽﾄ", "\xc3\xb7\xbd\xc4"}, // half-width katakana take one byte each
    {u"ファイル数：", "\x83\x74\x83\x40\x83\x43\x83\x8b\x90\x94\x81\x46"},
    {u"①Ⅰ㈱", "\x87\x40\x87\x54\x87\x8a"},
    {u"纊", "\xfa\x5c"},   // an IBM extension, not its NEC-selected twin
    {u"～", "\x81\x60"},   // full-width tilde U+FF5E
    {u"〜", "\x81\x60"},   // wave dash U+301C: the same code, read back as ～
    {u"—", "\x81\x5c"},    // em dash U+2014, read back as ―
    {u"‖−", "\x81\x61\x81\x7c"},
    {u"¢£¬", "\x81\x91\x81\x92\x81\xca"},
    {u"¥‾", "\x5c\x7e"},
    {u"a😀b", "a?b"},      // a pair is one character and one "?"
    {u"é", "?"},           // no best fit to e
    {u"한", "?"},
    {u"\xD800x", "?x"},    // a lone high surrogate
    {u"x\xDC00", "x?"},    // a lone low surrogate
    {u"x\xD800", "x?"},    // a high surrogate at the end
    {u"\x0080", "?"},      // C1 controls are not in the table
    {u"\xF8F0\xF8F3", "??"},
    {std::u16string_view(u"a\0b", 3), std::string_view("a\0b", 3)},
};

} // namespace shift_jis_cases
