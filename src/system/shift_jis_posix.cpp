// toShiftJis and isShiftJis through glibc's iconv and its "CP932" table.
#include "system/shift_jis.h"

#include "system/surrogates.h"

#include <bit>
#include <cerrno>
#include <iconv.h>

namespace sys {

namespace {

constexpr const char *kUtf16 = std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

class Converter {
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (isOpen())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool isOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return m_cd; }

private:
    iconv_t m_cd;
};

} // namespace

std::error_code toShiftJis(std::u16string_view text, std::string &bytes)
{
    Converter converter("CP932", kUtf16);
    if (!converter.isOpen())
        return {errno, std::generic_category()};

    std::size_t at = 0; // the first character not yet converted
    char buffer[4096];
    while (at < text.size()) {
        // iconv's input is not const in its signature but is only read.
        char *in = const_cast<char *>(reinterpret_cast<const char *>(text.data() + at));
        std::size_t inLeft = (text.size() - at) * sizeof(char16_t);
        char *out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter.handle(), &in, &inLeft, &out, &outLeft);
        const int error = errno;
        bytes.append(buffer, static_cast<std::size_t>(out - buffer));
        at = text.size() - inLeft / sizeof(char16_t);
        if (result != static_cast<std::size_t>(-1) || error == E2BIG)
            continue;
        if (error != EILSEQ && error != EINVAL)
            return {error, std::generic_category()};
        // A character the table lacks, a lone surrogate, or a high surrogate at the end.
        bytes += '?';
        const bool pair = isHighSurrogate(text[at]) && at + 1 < text.size() && isLowSurrogate(text[at + 1]);
        at += pair ? 2 : 1;
    }
    return {};
}

bool isShiftJis(std::string_view bytes)
{
    Converter converter(kUtf16, "CP932");
    if (!converter.isOpen())
        return false;
    char *in = const_cast<char *>(bytes.data()); // only read, as above
    std::size_t inLeft = bytes.size();
    char buffer[4096];
    while (inLeft > 0) {
        char *out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(converter.handle(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) && errno != E2BIG)
            return false;
    }
    return true;
}

} // namespace sys
