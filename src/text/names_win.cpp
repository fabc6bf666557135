// File names as UTF-16 units: a name is text only where no surrogate stands alone.
#include "text/names.h"

namespace text {

std::optional<QString> nameText(const std::filesystem::path &name)
{
    const QString text = QString::fromStdWString(name.native());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return std::nullopt;
    }
    return text;
}

QString displayName(const std::filesystem::path &name)
{
    return QString::fromStdWString(name.native());
}

std::optional<std::string> shiftJisBytes(const std::filesystem::path &)
{
    return std::nullopt;
}

std::filesystem::path nameFromText(const QString &text)
{
    return std::filesystem::path(text.toStdWString());
}

} // namespace text
