// resolvedFolder and sameFolder on Windows, which takes ".." by the text of the
// path and a name in any letter case for the same file, and paths as bytes in
// WTF-8.
#include "system/paths.h"

#include "system/surrogates.h"

#include <windows.h>

namespace sys {

namespace {

// A Windows name is UTF-16 units, paired or not, and NTFS keeps a surrogate that
// stands alone. Its bytes are WTF-8: UTF-8 wherever the units pair up, and three
// bytes of its own for a lone surrogate, so that every name goes there and back
// exactly. The standard library's UTF-8 would throw on such a name.
void appendWtf8(std::string &out, std::wstring_view units)
{
    const auto add = [&out](unsigned value) { out += static_cast<char>(value); };
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (isHighSurrogate(c) && i + 1 < units.size() && isLowSurrogate(units[i + 1]))
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        if (c < 0x80) {
            add(c);
        } else if (c < 0x800) {
            add(0xC0 | c >> 6);
            add(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            add(0xE0 | c >> 12);
            add(0x80 | (c >> 6 & 0x3F));
            add(0x80 | (c & 0x3F));
        } else {
            add(0xF0 | c >> 18);
            add(0x80 | (c >> 12 & 0x3F));
            add(0x80 | (c >> 6 & 0x3F));
            add(0x80 | (c & 0x3F));
        }
    }
}

// The units back from WTF-8. Bytes that are not (from a damaged journal, say)
// become U+FFFD one for one, a name no file has, rather than an exception.
std::wstring fromWtf8(std::string_view bytes)
{
    std::wstring units;
    units.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >> 5 == 0x6 ? 2 : lead >> 4 == 0xE ? 3 : lead >> 3 == 0x1E ? 4 : 0;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = length > 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = c << 6 | (next & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000}; // a shorter form would do: overlong
        if (!valid || c < kLeast[length] || c > 0x10FFFF) {
            units += L'\uFFFD';
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            units += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            units += static_cast<wchar_t>(c);
        }
        i += length;
    }
    return units;
}

} // namespace

std::filesystem::path resolvedFolder(const std::filesystem::path &path)
{
    // Windows takes a name in any letter case, so one folder has many spellings;
    // a run and its undo meet on one: the drive letter in capitals and each name
    // as the folder holding it spells it. What is not there keeps its text.
    const std::filesystem::path plain = plainFolder(path);
    std::wstring root = plain.root_name().native();
    if (root.size() == 2 && root[1] == L':' && root[0] >= L'a' && root[0] <= L'z')
        root[0] = static_cast<wchar_t>(root[0] - L'a' + L'A');
    std::filesystem::path spelt = std::filesystem::path(root) / plain.root_directory();
    bool there = true;
    for (const std::filesystem::path &part : plain.relative_path()) {
        WIN32_FIND_DATAW found;
        const HANDLE search = there ? FindFirstFileW((spelt / part).c_str(), &found) : INVALID_HANDLE_VALUE;
        there = search != INVALID_HANDLE_VALUE;
        if (there)
            FindClose(search);
        spelt /= there ? std::filesystem::path(found.cFileName) : part;
    }
    return spelt;
}

bool sameFolder(const std::filesystem::path &a, const std::filesystem::path &b)
{
    // Ordinal, as the file systems compare names, not by a language's rules.
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.native().size()), b.c_str(),
                                static_cast<int>(b.native().size()), TRUE) == CSTR_EQUAL;
}

std::string pathBytes(const std::filesystem::path &path)
{
    std::string bytes;
    appendWtf8(bytes, path.native());
    return bytes;
}

void appendPathBytes(std::string &out, const std::filesystem::path &path)
{
    appendWtf8(out, path.native());
}

std::filesystem::path pathFromBytes(std::string_view bytes)
{
    return std::filesystem::path(fromWtf8(bytes));
}

} // namespace sys
