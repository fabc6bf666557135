// Letter case and trimming as the conversion run uses them: the simple one-to-one
// Unicode mapping of each code point, the same in every locale, so that a name
// never changes its length and a lower-case run undoes an upper-case one.
#pragma once

#include <QString>

namespace text {

QString upperCase(const QString &text);
QString lowerCase(const QString &text);
// Leading and trailing U+0020 removed; no other blank.
QString trimSpaces(const QString &text);

} // namespace text
