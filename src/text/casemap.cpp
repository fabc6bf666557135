// Simple, locale-independent case mapping by code point, and trimming of U+0020.
#include "text/casemap.h"

namespace text {

namespace {

// The full mapping of a code point, as a text, changes its length where the
// simple one would not (ß to SS, ŉ to ʼN, İ to i̇): such a code point stays.
bool fullMappingKeepsLength(char32_t c, bool upper)
{
    const QString one = QString::fromUcs4(&c, 1);
    const QString mapped = upper ? one.toUpper() : one.toLower();
    return mapped.size() == one.size();
}

QString mapCase(const QString &text, bool upper)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar unit = text.at(i);
        char32_t c = unit.unicode();
        // A lone surrogate is kept as it stands; a pair is one code point.
        if (unit.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            c = QChar::surrogateToUcs4(unit, text.at(++i));
        char32_t mapped = c;
        if (c < 0x80) {
            if (upper && c >= 'a' && c <= 'z')
                mapped = c - 'a' + 'A';
            else if (!upper && c >= 'A' && c <= 'Z')
                mapped = c - 'A' + 'a';
        } else {
            mapped = upper ? QChar::toUpper(c) : QChar::toLower(c);
            if (mapped != c && !fullMappingKeepsLength(c, upper))
                mapped = c;
        }
        if (QChar::requiresSurrogates(mapped)) {
            out.append(QChar(QChar::highSurrogate(mapped)));
            out.append(QChar(QChar::lowSurrogate(mapped)));
        } else {
            out.append(QChar(static_cast<char16_t>(mapped)));
        }
    }
    return out;
}

} // namespace

QString upperCase(const QString &text)
{
    return mapCase(text, true);
}

QString lowerCase(const QString &text)
{
    return mapCase(text, false);
}

QString trimSpaces(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace text
