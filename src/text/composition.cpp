// composed: NFC a stretch at a time between the compatibility ideographs.
#include "text/composition.h"

#include <algorithm>

namespace text {

namespace {

bool isCompatibilityIdeograph(char32_t c)
{
    return (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x2F800 && c <= 0x2FA1F);
}

} // namespace

QString composed(const QString &text)
{
    // Plain ASCII, most names, is composed already.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return text;
    QString out;
    out.reserve(text.size());
    qsizetype stretch = 0; // where the stretch not yet composed begins
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text.at(i).unicode();
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate();
        if (pair)
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
        if (!isCompatibilityIdeograph(c)) {
            i += pair;
            continue;
        }
        out += text.sliced(stretch, i - stretch).normalized(QString::NormalizationForm_C);
        const qsizetype length = pair ? 2 : 1;
        out += QStringView(text).sliced(i, length);
        i += length - 1;
        stretch = i + 1;
    }
    out += text.sliced(stretch).normalized(QString::NormalizationForm_C);
    return out;
}

} // namespace text
