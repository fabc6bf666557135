// File names as UTF-8 bytes: a name is text only where its bytes are valid UTF-8.
#include "text/names.h"

#include "system/shift_jis.h"

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

QString displayName(const std::filesystem::path &name)
{
    const std::string &bytes = name.native();
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
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
