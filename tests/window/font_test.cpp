// Tests of the window's font. CTest runs them under LANG=ja_JP.UTF-8 and
// LANG=C.UTF-8 too, where the font database names the families differently.
#include "window/font.h"

#include <QApplication>
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

// The captions were fitted to IPAGothic, whose half-width characters are all
// one width and full-width ones twice that, as MS Gothic's are on Windows; the
// proportional IPAPGothic, which the font database offers under the same kind
// of name, is narrower in "i". Here it is IPAGothic; under Wine, which has no
// Japanese fonts, the IPAGothic file laid out beside the program.
TEST(Font, TheWindowUsesAnEvenGothicItWasFittedToAtNinePoints)
{
    const QFont font = QApplication::font();
    EXPECT_EQ(font.pointSize(), 9);
    QStringList fitted;
    for (const FittedGothic &gothic : fittedGothics())
        fitted << gothic.postScriptName;
    EXPECT_TRUE(fitted.contains(postScriptName(font))) << postScriptName(font).toStdString();
    const QFontMetrics metrics(font);
    const int half = metrics.horizontalAdvance(QLatin1Char('M'));
    for (const QString &character : {QStringLiteral("i"), QStringLiteral("W"), QStringLiteral("1"), QStringLiteral("ｱ")})
        EXPECT_EQ(metrics.horizontalAdvance(character), half) << character.toStdString();
    for (const QString &character : {QStringLiteral("漢"), QStringLiteral("あ"), QStringLiteral("Ａ")})
        EXPECT_EQ(metrics.horizontalAdvance(character), 2 * half) << character.toStdString();
}

} // namespace
