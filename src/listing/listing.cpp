// The listing of a folder's file names: its lines as text and as bytes.
#include "listing/listing.h"

#include "text/names.h"
#include "system/shift_jis.h"

#include <string_view>

namespace listing {

namespace {

constexpr std::u16string_view kHeader = u"ディレクトリ名出力";
constexpr std::u16string_view kRule = u"++++++++++++++++++++++++++++++++++++++";
constexpr std::u16string_view kCount = u"ファイル数：";
constexpr std::u16string_view kLineEnd = u"\r\n";

bool isControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

} // namespace

std::u16string lineText(const std::filesystem::path &name)
{
    // The name as the window shows it, where every byte that is not valid UTF-8
    // has become one U+FFFD, a mark code page 932 cannot hold either.
    const QString shown = text::displayName(name);
    std::u16string text(reinterpret_cast<const char16_t *>(shown.utf16()), static_cast<std::size_t>(shown.size()));
    for (char16_t &unit : text) {
        if (unit == u'\xFFFD' || isControl(unit))
            unit = u'?';
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
    return sys::toShiftJis(listingText(folder, names), bytes);
}

} // namespace listing
