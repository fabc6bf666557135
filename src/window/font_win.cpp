// fittedGothics on Windows: the system's own MS Gothic, of the same even widths
// as IPAGothic, which takes its place where Windows has no Japanese fonts.
#include "window/font.h"

QList<FittedGothic> fittedGothics()
{
    return {{QStringLiteral("MS Gothic"), QStringLiteral("MS-Gothic")}, {QStringLiteral("IPAGothic"), QStringLiteral("IPAGothic")}};
}
