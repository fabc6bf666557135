// The window's font: IPAGothic, known by the name its file gives in every locale.
#pragma once

#include <QFont>
#include <QString>

// The PostScript name of the font `font` resolves to, as its file's name table
// gives it: one ASCII spelling whatever the locale, where the family name the
// font database reports is the one for the user's language ("IPAゴシック" under
// a Japanese locale, "IPAGothic" elsewhere). Empty when the file gives none.
QString postScriptName(const QFont &font);

// IPAGothic at 9 pt, whose even half-width characters the window's captions were
// fitted to; else another installed Japanese font, gothic ones first.
QFont japaneseGothic();
