// mayBeShiftJis: each reading of a name judged for the shape it has.
#include "text/shift_jis_names.h"

#include "system/paths.h"
#include "system/shift_jis.h"
#include "text/names.h"

#include <QChar>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace text {

namespace {

// Read in its own units, with no copy: most names of a big folder are ASCII.
bool isAsciiName(const std::filesystem::path &name)
{
    const auto &units = name.native();
    return std::all_of(units.begin(), units.end(), [](auto unit) { return static_cast<std::uint32_t>(unit) < 0x80; });
}

// What a character of the code page 932 reading is, for the look of its neighbours.
enum class Sjis { AsciiAlnum, AsciiOther, HalfWidth, DoubleByte, RareDoubleByte };

bool isAsciiAlnum(unsigned char byte)
{
    return (byte >= '0' && byte <= '9') || ((byte | 0x20) >= 'a' && (byte | 0x20) <= 'z');
}

// The characters of bytes that are valid code page 932. Kanji past the first JIS
// level (from 0x989F), the vendors' rows (0xED, 0xEE, 0xFA to 0xFC) and the
// user-defined rows (0xF0 to 0xF9) are rare in names; every UTF-8 character of
// kanji and kana begins with a byte that starts one of them.
std::vector<Sjis> sjisCharacters(std::string_view bytes)
{
    std::vector<Sjis> characters;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            characters.push_back(isAsciiAlnum(byte) ? Sjis::AsciiAlnum : Sjis::AsciiOther);
        } else if (byte >= 0xA1 && byte <= 0xDF) {
            characters.push_back(Sjis::HalfWidth);
        } else {
            const auto trail = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[++i]) : 0;
            const bool rare = byte >= 0x99 || (byte == 0x98 && trail >= 0x9F);
            characters.push_back(rare ? Sjis::RareDoubleByte : Sjis::DoubleByte);
        }
    }
    return characters;
}

bool sjisPlausible(std::string_view bytes)
{
    const std::vector<Sjis> characters = sjisCharacters(bytes);
    std::size_t run = 0; // half-width katakana in a row
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (characters[i] == Sjis::RareDoubleByte)
            return false;
        if (characters[i] != Sjis::HalfWidth) {
            run = 0;
            continue;
        }
        if (++run > 3)
            return false;
        for (const std::size_t j : {i - 1, i + 1}) {
            if (j < characters.size() && (characters[j] == Sjis::AsciiAlnum || characters[j] == Sjis::DoubleByte))
                return false;
        }
    }
    return true;
}

bool isJapanese(QChar::Script script)
{
    return script == QChar::Script_Han || script == QChar::Script_Hiragana || script == QChar::Script_Katakana;
}

// Scripts that do not stand side by side within a word; Japanese sits beside any
// (PDF資料, iPhone写真).
bool scriptsClash(char32_t a, char32_t b)
{
    const QChar::Script first = QChar::script(a);
    const QChar::Script second = QChar::script(b);
    const auto neutral = [](QChar::Script script) {
        return script == QChar::Script_Common || script == QChar::Script_Inherited || isJapanese(script);
    };
    return first != second && !neutral(first) && !neutral(second);
}

bool utf8Plausible(const QString &name)
{
    const std::u32string reading = name.toStdU32String();
    for (std::size_t i = 0; i < reading.size(); ++i) {
        const char32_t c = reading[i];
        if (c < 0x80)
            continue;
        const char32_t before = i > 0 ? reading[i - 1] : 0;
        const char32_t after = i + 1 < reading.size() ? reading[i + 1] : 0;
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned:
            return false;
        case QChar::Other_Format:
            // Only the joiners that emoji and some scripts are written with.
            if (c != 0x200C && c != 0x200D)
                return false;
            continue;
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            if (before == 0 || QChar::isSpace(before) || QChar::isPunct(before))
                return false;
            continue;
        default:
            break;
        }
        if (QChar::isLetter(c) && ((QChar::isLetter(before) && scriptsClash(before, c)) ||
                                   (QChar::isLetter(after) && scriptsClash(c, after))))
            return false;
        // What chance gives from two bytes of half-width katakana (ı, н, °, §): a
        // letter standing alone, a symbol with nothing to go with.
        if (c >= 0x800)
            continue;
        if (QChar::isLetter(c) && !QChar::isLetter(before) && !QChar::isMark(before) && !QChar::isLetter(after) &&
            !QChar::isMark(after))
            return false;
        if (!QChar::isLetter(c) && !QChar::isLetterOrNumber(before) && !QChar::isLetterOrNumber(after))
            return false;
    }
    return true;
}

} // namespace

bool mayBeShiftJis(const std::filesystem::path &name)
{
    // Names are UTF-16 text on Windows: none is read in two ways there.
    if (sizeof(std::filesystem::path::value_type) != 1)
        return false;
    if (isAsciiName(name))
        return false;
    const std::string bytes = sys::pathBytes(name);
    if (!sys::isShiftJis(bytes))
        return false;
    return sjisPlausible(bytes) || !utf8Plausible(displayName(name));
}

} // namespace text
