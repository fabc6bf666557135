// The composition of a name: marks written after their letter (パ arriving from a
// Mac as ハ and U+309A) joined to it.
#pragma once

#include <QString>

namespace text {

// Canonical composition (NFC), except that the CJK compatibility ideographs
// (U+F900 to U+FAFF, U+2F800 to U+2FA1F) keep their code points, as the Mac's
// own decomposition leaves them: NFC would trade 塚 U+FA10 for 塚 U+585A, which
// code page 932 writes otherwise.
QString composed(const QString &text);

} // namespace text
