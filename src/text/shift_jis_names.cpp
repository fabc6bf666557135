// encodingOf, encodingsOf, mayBeShiftJis, shiftJisText, markedName,
// mojibakeRepaired and utf8Name: each reading of a
// name judged for the shape it has.
#include "text/shift_jis_names.h"

#include "system/paths.h"
#include "system/shift_jis.h"
#include "text/names.h"

#include <QChar>
#include <QString>
#include <QStringDecoder>
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

// `bytes` as UTF-8 text, on every system; nothing where they are not.
std::optional<QString> utf8Text(std::string_view bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError() || text.toStdString() != bytes)
        return std::nullopt;
    return text;
}

// The letter a mark sits on, past the other marks before it; 0 for none.
char32_t baseOf(const std::u32string &reading, std::size_t at)
{
    while (at > 0 && QChar::isMark(reading[at - 1]))
        --at;
    return at > 0 ? reading[at - 1] : 0;
}

// Whether the mark at `at`, with the marks before it, joins the letter they sit
// on into fewer characters, as a decomposed é or ệ does.
bool composesWithBase(const std::u32string &reading, std::size_t at)
{
    std::size_t start = at;
    while (start > 0 && QChar::isMark(reading[start - 1]))
        --start;
    if (start == 0)
        return false;
    --start;
    const QString cluster = QString::fromStdU32String(reading.substr(start, at - start + 1));
    return cluster.normalized(QString::NormalizationForm_C).size() < cluster.size();
}

// A character that a newer one stands for, kept from older character sets: a
// superscript, a symbol form of a letter (ϰ for κ), a ligature. Nobody types one
// into a file name, and among two-byte characters chance gives many.
bool isCompatibilityForm(char32_t c)
{
    const QChar::Decomposition tag = QChar::decompositionTag(c);
    return tag != QChar::NoDecomposition && tag != QChar::Canonical;
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
        case QChar::Mark_Enclosing: {
            const char32_t base = baseOf(reading, i);
            if (base == 0 || QChar::isSpace(base) || QChar::isPunct(base))
                return false;
            // A mark of one script on the letter of another (a Thaana vowel on a
            // Greek letter) is what bytes by chance give.
            const QChar::Script script = QChar::script(c);
            if (script != QChar::Script_Inherited && script != QChar::Script_Common && script != QChar::script(base))
                return false;
            // A diacritic of the Latin, Greek and Cyrillic letters (U+0300 to
            // U+036F) on one it makes no letter with (ƪ and U+033A), which no
            // keyboard writes.
            if (c >= 0x300 && c <= 0x36F && !composesWithBase(reading, i))
                return false;
            continue;
        }
        default:
            break;
        }
        if (QChar::isLetter(c) && ((QChar::isLetter(before) && scriptsClash(before, c)) ||
                                   (QChar::isLetter(after) && scriptsClash(c, after))))
            return false;
        // What chance gives from two bytes of half-width katakana (ı, н, °, §, ʲ): a
        // letter standing alone, a symbol with nothing to go with, a character of
        // an older set.
        if (c >= 0x800)
            continue;
        if (isCompatibilityForm(c))
            return false;
        // A capital straight after a small letter, neither of them ASCII (ĸĽ, ûǾ).
        if (QChar::isUpper(c) && before >= 0x80 && before < 0x800 && QChar::isLower(before))
            return false;
        // A modifier letter (ʹ, ʻ, ʾ) marks Latin letters; beside any other it is chance.
        if (QChar::category(c) == QChar::Letter_Modifier &&
            ((QChar::isLetter(before) && QChar::script(before) != QChar::Script_Latin) ||
             (QChar::isLetter(after) && QChar::script(after) != QChar::Script_Latin)))
            return false;
        if (QChar::isLetter(c) && !QChar::isLetter(before) && !QChar::isMark(before) && !QChar::isLetter(after) &&
            !QChar::isMark(after))
            return false;
        if (!QChar::isLetter(c) && !QChar::isLetterOrNumber(before) && !QChar::isLetterOrNumber(after))
            return false;
    }
    return true;
}

// A name by its own bytes alone.
Encoding ownEncoding(const std::filesystem::path &name)
{
    // Names are UTF-16 text on Windows: none is read in two ways there.
    if (sizeof(std::filesystem::path::value_type) != 1)
        return nameText(name) ? Encoding::Utf8 : Encoding::Neither;
    if (isAsciiName(name))
        return Encoding::Utf8;
    const std::string bytes = sys::pathBytes(name);
    const std::optional<QString> utf8 = nameText(name);
    const bool shiftJis = sys::isShiftJis(bytes);
    if (!utf8)
        return shiftJis ? Encoding::ShiftJis : Encoding::Neither;
    if (!shiftJis)
        return Encoding::Utf8;
    const bool asUtf8 = utf8Plausible(*utf8);
    if (asUtf8 != sjisPlausible(bytes))
        return asUtf8 ? Encoding::Utf8 : Encoding::ShiftJis;
    return Encoding::Undecided;
}

Encoding decided(Encoding own, Evidence evidence)
{
    if (own != Encoding::Undecided || evidence.shiftJis == evidence.utf8)
        return own;
    return evidence.shiftJis ? Encoding::ShiftJis : Encoding::Utf8;
}

} // namespace

Encoding encodingOf(const std::filesystem::path &name, Evidence evidence)
{
    return decided(ownEncoding(name), evidence);
}

std::vector<Encoding> encodingsOf(const std::vector<std::filesystem::path> &names, Evidence &evidence)
{
    std::vector<Encoding> encodings;
    encodings.reserve(names.size());
    evidence = {};
    bool inDoubt = false;
    for (const std::filesystem::path &name : names) {
        // ASCII, most names of a big folder, says nothing either way.
        if (isAsciiName(name)) {
            encodings.push_back(Encoding::Utf8);
            continue;
        }
        const Encoding own = ownEncoding(name);
        encodings.push_back(own);
        evidence.shiftJis = evidence.shiftJis || own == Encoding::ShiftJis;
        evidence.utf8 = evidence.utf8 || own == Encoding::Utf8;
        inDoubt = inDoubt || own == Encoding::Undecided;
    }
    if (inDoubt) {
        for (Encoding &encoding : encodings)
            encoding = decided(encoding, evidence);
    }
    return encodings;
}

bool mayBeShiftJis(const std::filesystem::path &name)
{
    const Encoding encoding = encodingOf(name);
    return encoding == Encoding::ShiftJis || encoding == Encoding::Undecided;
}

std::optional<QString> shiftJisText(const std::filesystem::path &name)
{
    if (isAsciiName(name) || nameText(name))
        return std::nullopt;
    return utf8Name(name, Encoding::ShiftJis);
}

QString markedName(const std::filesystem::path &name)
{
    if (const std::optional<QString> text = shiftJisText(name))
        return *text + QStringLiteral(" (Shift_JIS)");
    return displayName(name);
}

std::optional<QString> mojibakeRepaired(const QString &name)
{
    const auto ascii = [](QChar c) { return c.unicode() < 0x80; };
    if (std::all_of(name.begin(), name.end(), ascii))
        return std::nullopt;
    std::string bytes;
    const std::u16string_view units(reinterpret_cast<const char16_t *>(name.utf16()), static_cast<std::size_t>(name.size()));
    // Without the code page (toShiftJis failing) no name is read as Shift_JIS
    // either, and every name keeps the text it has: nothing is lost by it.
    if (sys::toShiftJis(units, bytes) || sys::fromShiftJis(bytes) != std::u16string(units))
        return std::nullopt;
    const std::optional<QString> text = utf8Text(bytes);
    if (!text || *text == name || !utf8Plausible(*text) || sjisPlausible(bytes))
        return std::nullopt;
    return text;
}

std::optional<QString> utf8Name(const std::filesystem::path &name, Encoding encoding)
{
    switch (encoding) {
    case Encoding::ShiftJis:
        if (const std::optional<std::u16string> text = sys::fromShiftJis(sys::pathBytes(name)))
            return QString::fromStdU16String(*text);
        return std::nullopt;
    case Encoding::Utf8:
        if (std::optional<QString> text = nameText(name))
            return mojibakeRepaired(*text).value_or(*text);
        return std::nullopt;
    case Encoding::Undecided:
    case Encoding::Neither:
        break;
    }
    return std::nullopt;
}

} // namespace text
