// fittedGothics here: IPAGothic, which the desktop's packages install.
#include "window/font.h"

QList<FittedGothic> fittedGothics()
{
    return {{QStringLiteral("IPAGothic"), QStringLiteral("IPAGothic")}};
}
