// File names as UTF-16 units: a name is text only where no surrogate stands alone.
#include "text/names.h"

namespace text {

namespace {

// The name's units as they are: QString::fromStdWString would drop a leading
// U+FEFF as a byte order mark, and a run would then rename the file without it.
QString unitsOf(const std::filesystem::path &name)
{
    const std::wstring &units = name.native();
    return QString(reinterpret_cast<const QChar *>(units.data()), static_cast<qsizetype>(units.size()));
}

// Where the first surrogate that stands alone is, from `from` on; -1 if none.
qsizetype loneSurrogate(const QString &text, qsizetype from)
{
    const qsizetype n = text.size();
    for (qsizetype i = from; i < n; ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return i;
    }
    return -1;
}

} // namespace

std::optional<QString> nameText(const std::filesystem::path &name)
{
    const QString text = unitsOf(name);
    if (loneSurrogate(text, 0) >= 0)
        return std::nullopt;
    return text;
}

// No name is Shift_JIS here: every name is UTF-16 text.
QString displayName(const std::filesystem::path &name)
{
    return textShown(name);
}

QString textShown(const std::filesystem::path &name)
{
    QString text = unitsOf(name);
    for (qsizetype at = loneSurrogate(text, 0); at >= 0; at = loneSurrogate(text, at + 1))
        text[at] = QChar::ReplacementCharacter;
    return text;
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
