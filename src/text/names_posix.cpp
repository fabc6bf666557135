// File names as UTF-8 bytes: a name is text only where its bytes are valid UTF-8.
#include "text/names.h"

#include "system/shift_jis.h"
#include "text/shift_jis_names.h"

#include <QStringDecoder>
#include <algorithm>

namespace text {

std::optional<QString> nameText(const std::filesystem::path &name)
{
    const std::string &bytes = name.native();
    // Most names are plain ASCII, valid as they stand.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    // A leading byte order mark is part of the name, not a marker to drop.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    // Only a name that comes back to the very same bytes is text.
    if (decoder.hasError() || text.toStdString() != bytes)
        return std::nullopt;
    return text;
}

QString textShown(const std::filesystem::path &name)
{
    const std::string &bytes = name.native();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

QString displayName(const std::filesystem::path &name)
{
    const std::string &bytes = name.native();
    // A path is shown a name at a time: no byte of a Shift_JIS character is a "/".
    QString shown;
    for (std::size_t at = 0; at <= bytes.size();) {
        const std::size_t end = std::min(bytes.find('/', at), bytes.size());
        const std::filesystem::path part = bytes.substr(at, end - at);
        shown += shiftJisText(part).value_or(textShown(part));
        if (end < bytes.size())
            shown += QLatin1Char('/');
        at = end + 1;
    }
    return shown;
}

std::optional<std::string> shiftJisBytes(const std::filesystem::path &name)
{
    if (nameText(name) || !sys::isShiftJis(name.native()))
        return std::nullopt;
    return name.native();
}

std::filesystem::path nameFromText(const QString &text)
{
    return std::filesystem::path(text.toStdString());
}

} // namespace text
