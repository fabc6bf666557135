// narrowed and widenedKana, from the width decompositions of Qt's Unicode data.
#include "text/width.h"

#include <QChar>

namespace text {

namespace {

// The one character a width form stands for, or 0.
char16_t widthOf(QChar c, QChar::Decomposition tag)
{
    if (c.decompositionTag() != tag)
        return 0;
    const QString plain = c.decomposition();
    return plain.size() == 1 ? plain.at(0).unicode() : 0;
}

bool kept(char16_t ascii)
{
    return QStringView(u"/\\:*?\"<>|").contains(QChar(ascii));
}

} // namespace

QString narrowed(const QString &text)
{
    QString out = text;
    const qsizetype n = out.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ascii = widthOf(out.at(i), QChar::Wide);
        // U+3000, the ideographic space, is a width form of the space too.
        if (ascii <= u' ' || ascii >= 0x7F || kept(ascii))
            continue;
        if (ascii == u'.' && (i == 0 || i == n - 1))
            continue;
        out[i] = QChar(ascii);
    }
    return out;
}

QString widenedKana(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        // The half-width katakana block; the half-width hangul after it stay.
        const char16_t wide = c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F ? widthOf(c, QChar::Narrow) : 0;
        if (!wide) {
            out += c;
            continue;
        }
        const QChar mark(wide);
        if (mark.combiningClass() == 0) {
            out += mark;
            continue;
        }
        // A voiced mark: joined where the kana before has a voiced form, else the
        // spacing mark (゛ U+309B, ゜ U+309C, which stand for U+3099 and U+309A).
        const QString joined = (out.isEmpty() ? QString() : QString(out.back())) + mark;
        const QString one = joined.normalized(QString::NormalizationForm_C);
        if (!out.isEmpty() && one.size() == 1)
            out.back() = one.at(0);
        else
            out += QChar(wide == 0x3099 ? 0x309B : 0x309C);
    }
    return out;
}

} // namespace text
