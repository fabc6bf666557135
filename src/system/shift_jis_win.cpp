// toShiftJis, fromShiftJis and isShiftJis through Windows' code page 932, byte for byte as the
// Linux build has them.
#include "system/shift_jis.h"

#include "system/surrogates.h"

#include <string>
#include <windows.h>

namespace sys {

namespace {

constexpr UINT kCodePage932 = 932;

struct OneWay {
    char16_t character;
    std::string_view bytes;
};

// Characters that glibc's CP932 table takes one way only. Windows has them as
// best fits at most, which would also turn é into e, so best fits are off and
// these are written here.
constexpr OneWay kOneWay[] = {
    {u'\u00A2', "\x81\x91"}, // ¢ as ￠
    {u'\u00A3', "\x81\x92"}, // £ as ￡
    {u'\u00A5', "\x5C"},     // ¥ as the yen sign of the single-byte half
    {u'\u00AC', "\x81\xCA"}, // ¬ as ￢
    {u'\u2014', "\x81\x5C"}, // em dash as ―
    {u'\u2016', "\x81\x61"}, // double vertical line as ∥
    {u'\u203E', "\x7E"},     // overline as ~
    {u'\u2212', "\x81\x7C"}, // minus sign as －
    {u'\u301C', "\x81\x60"}, // wave dash as ～
};

// Windows gives these single bytes of their own (0x80, 0xA0, 0xFD to 0xFF);
// glibc's table has no such bytes, so they are "?" as on Linux.
bool isOutsideTheTable(char16_t c)
{
    return c == u'\u0080' || (c >= u'\uF8F0' && c <= u'\uF8F3');
}

const OneWay *oneWay(char16_t c)
{
    for (const OneWay &entry : kOneWay) {
        if (entry.character == c)
            return &entry;
    }
    return nullptr;
}

// What WideCharToMultiByte converts alike on both sides.
bool isPlain(char16_t c)
{
    return !isSurrogate(c) && !isOutsideTheTable(c) && !oneWay(c);
}

std::error_code appendPlain(std::u16string_view text, std::string &bytes)
{
    if (text.empty())
        return {};
    const auto *wide = reinterpret_cast<const wchar_t *>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, "?", nullptr);
    if (size == 0)
        return {static_cast<int>(GetLastError()), std::system_category()};
    const std::size_t at = bytes.size();
    bytes.resize(at + static_cast<std::size_t>(size));
    WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data() + at, size, "?", nullptr);
    return {};
}

} // namespace

std::error_code toShiftJis(std::u16string_view text, std::string &bytes)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && isPlain(text[end]))
            ++end;
        if (std::error_code error = appendPlain(text.substr(at, end - at), bytes))
            return error;
        if (end == text.size())
            break;
        const char16_t c = text[end];
        if (const OneWay *entry = oneWay(c)) {
            bytes += entry->bytes;
            at = end + 1;
            continue;
        }
        // A surrogate pair is one character and one "?".
        bytes += '?';
        const bool pair = isHighSurrogate(c) && end + 1 < text.size() && isLowSurrogate(text[end + 1]);
        at = end + (pair ? 2 : 1);
    }
    return {};
}

std::optional<std::u16string> fromShiftJis(std::string_view bytes)
{
    if (bytes.empty())
        return std::u16string();
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0)
        return std::nullopt;
    std::u16string text(static_cast<std::size_t>(length), u'\0');
    MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, bytes.data(), size, reinterpret_cast<wchar_t *>(text.data()),
                        length);
    for (const char16_t c : text) {
        if (isOutsideTheTable(c))
            return std::nullopt;
    }
    return text;
}

bool isShiftJis(std::string_view bytes)
{
    return fromShiftJis(bytes).has_value();
}

} // namespace sys
