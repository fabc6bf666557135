// The listing of a folder's file names: its lines as text and as bytes.
#include "listing/listing.h"

#include "platform/shift_jis.h"

#include <string_view>
#include <type_traits>

namespace listing {

namespace {

constexpr std::u16string_view kHeader = u"ディレクトリ名出力";
constexpr std::u16string_view kRule = u"++++++++++++++++++++++++++++++++++++++";
constexpr std::u16string_view kCount = u"ファイル数：";
constexpr std::u16string_view kLineEnd = u"\r\n";

bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

void appendCodePoint(std::u16string &text, char32_t c)
{
    if (isControl(c)) {
        text += u'?';
    } else if (c < 0x10000) {
        text += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        text += static_cast<char16_t>(0xD800 + (c >> 10));
        text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

// The length of the well-formed UTF-8 sequence at `at`, with its code point, or 0
// when the byte there starts none.
std::size_t utf8Sequence(std::string_view bytes, std::size_t at, char32_t &c)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    std::size_t length = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        c = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() - at < length)
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    if (length == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)))
        return 0;
    if (length == 4 && (c < 0x10000 || c > 0x10FFFF))
        return 0;
    return length;
}

} // namespace

std::u16string lineText(const std::filesystem::path &name)
{
    std::u16string text;
    const auto &native = name.native();
    if constexpr (std::is_same_v<std::filesystem::path::value_type, char>) {
        const std::string_view bytes = native;
        for (std::size_t at = 0; at < bytes.size();) {
            char32_t c = 0;
            const std::size_t length = utf8Sequence(bytes, at, c);
            appendCodePoint(text, length ? c : U'?');
            at += length ? length : 1;
        }
    } else {
        // UTF-16 names: a lone surrogate is left to the encoder, which writes "?".
        for (const auto unit : native)
            appendCodePoint(text, static_cast<char16_t>(unit));
    }
    return text;
}

std::u16string listingText(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &names)
{
    std::u16string text;
    auto line = [&text](std::u16string_view content) {
        text += content;
        text += kLineEnd;
    };
    line(kHeader);
    line(lineText(folder));
    line(kRule);
    for (const auto &name : names)
        line(lineText(name));
    line(kRule);
    // One space before the number, where a minus sign would stand.
    const std::string count = std::to_string(names.size());
    line(std::u16string(kCount) + u' ' + std::u16string(count.begin(), count.end()));
    return text;
}

std::error_code listingBytes(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &names,
                             std::string &bytes)
{
    bytes.clear();
    return platform::toShiftJis(listingText(folder, names), bytes);
}

} // namespace listing
