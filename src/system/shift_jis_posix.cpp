// toShiftJis, fromShiftJis and isShiftJis through glibc's iconv and its "CP932" table.
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
    // One converter a thread, as for fromShiftJis below; a table that did not
    // open is told as no conversion, since its errno is gone by a later call.
    thread_local const Converter converter("CP932", kUtf16);
    if (!converter.isOpen())
        return std::make_error_code(std::errc::invalid_argument);
    iconv(converter.handle(), nullptr, nullptr, nullptr, nullptr);

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

std::optional<std::u16string> fromShiftJis(std::string_view bytes)
{
    // One converter a thread: a folder's names are judged one after another, and
    // opening the table costs more than reading a name.
    thread_local const Converter converter(kUtf16, "CP932");
    if (!converter.isOpen())
        return std::nullopt;
    iconv(converter.handle(), nullptr, nullptr, nullptr, nullptr); // the state a failed name left
    char *in = const_cast<char *>(bytes.data()); // only read, as above
    std::size_t inLeft = bytes.size();
    std::u16string text;
    char16_t buffer[1024];
    while (inLeft > 0) {
        char *out = reinterpret_cast<char *>(buffer);
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter.handle(), &in, &inLeft, &out, &outLeft);
        const int error = errno;
        text.append(buffer, static_cast<std::size_t>(reinterpret_cast<char16_t *>(out) - buffer));
        if (result == static_cast<std::size_t>(-1) && error != E2BIG)
            return std::nullopt;
    }
    return text;
}

bool isShiftJis(std::string_view bytes)
{
    return fromShiftJis(bytes).has_value();
}

} // namespace sys
