// holdsShiftJisNames and mayBeShiftJis.
#include "text/shift_jis_names.h"

#include "system/paths.h"
#include "system/shift_jis.h"
#include "text/names.h"

#include <algorithm>
#include <cstdint>

namespace text {

namespace {

// Read in its own units, with no copy: most names of a big folder are ASCII.
bool isAsciiName(const std::filesystem::path &name)
{
    const auto &units = name.native();
    return std::all_of(units.begin(), units.end(), [](auto unit) { return static_cast<std::uint32_t>(unit) < 0x80; });
}

bool isHalfWidthKatakana(unsigned char byte)
{
    return byte >= 0xA1 && byte <= 0xDF;
}

// Every byte beyond ASCII is part of a two-byte UTF-8 character whose two bytes
// are both half-width katakana in code page 932: C2-DF, then A1-BF.
bool isOnlyKatakanaPairs(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80)
            continue;
        if (!isHalfWidthKatakana(byte) || i + 1 == bytes.size() || !isHalfWidthKatakana(static_cast<unsigned char>(bytes[i + 1])) ||
            static_cast<unsigned char>(bytes[i + 1]) > 0xBF)
            return false;
        ++i;
    }
    return true;
}

// A UTF-8 reading that a person would hardly give a file: a symbol or mark where
// letters are expected, or letters of two scripts with nothing between them.
bool isImprobable(const QString &text)
{
    QChar::Script last = QChar::Script_Unknown;
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            last = c.isLetter() ? QChar::Script_Latin : QChar::Script_Unknown;
            continue;
        }
        if (!c.isLetter())
            return true;
        if (last != QChar::Script_Unknown && c.script() != last)
            return true;
        last = c.script();
    }
    return false;
}

} // namespace

bool holdsShiftJisNames(const std::vector<std::filesystem::path> &names)
{
    return std::any_of(names.begin(), names.end(), [](const std::filesystem::path &name) {
        return !isAsciiName(name) && shiftJisBytes(name).has_value();
    });
}

bool mayBeShiftJis(const std::filesystem::path &name, bool folderHoldsShiftJis)
{
    // Names are UTF-16 text on Windows: none is read in two ways there.
    if (sizeof(std::filesystem::path::value_type) != 1)
        return false;
    if (isAsciiName(name))
        return false;
    const std::string bytes = sys::pathBytes(name);
    if (!sys::isShiftJis(bytes))
        return false;
    return folderHoldsShiftJis || (isOnlyKatakanaPairs(bytes) && isImprobable(displayName(name)));
}

} // namespace text
