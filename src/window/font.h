// The window's font: a gothic the captions fit, known by the name its file gives in every locale.
#pragma once

#include <QFont>
#include <QList>
#include <QString>

// The PostScript name of the font `font` resolves to, as its file's name table
// gives it: one ASCII spelling whatever the locale, where the family name the
// font database reports is the one for the user's language ("IPAゴシック" under
// a Japanese locale, "IPAGothic" elsewhere). Empty when the file gives none.
QString postScriptName(const QFont &font);

// A gothic whose even half-width characters the window's captions were fitted
// to, as the font database knows it and as its file names it.
struct FittedGothic {
    QString family;
    QString postScriptName;
};

// Those fonts, the one to take first first: IPAGothic here; on Windows the
// system's own MS Gothic, then IPAGothic.
QList<FittedGothic> fittedGothics();

// The first fitted gothic installed, at 9 pt; else one from the IPAGothic file
// laid out beside the program (fonts/ipag.ttf), as on Windows without Japanese
// fonts; else another installed Japanese font, gothic ones first.
QFont japaneseGothic();
