// Tests of the window's icon: a cyan frame round a yellow field with 改 and 名 in red.
#include "support/window_harness.h"

#include <QIcon>
#include <QImage>
#include <cstdio>

namespace {

#include "window/mojik.xpm"

using testing_support::WindowHarness;

TEST(Icon, CyanFrameYellowFieldAndRedCharactersInTwoCorners)
{
    WindowHarness harness;
    const QIcon icon = harness.window().windowIcon();
    ASSERT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
    const QImage image = icon.pixmap(32, 32).toImage();
    ASSERT_EQ(image.size(), QSize(32, 32));

    int red[2][2] = {};
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QColor color = image.pixelColor(x, y);
            ASSERT_EQ(color.alpha(), 255) << x << "," << y;
            if (x == 0 || y == 0 || x == 31 || y == 31) {
                EXPECT_EQ(color, QColor(Qt::cyan)) << x << "," << y;
            } else if (color == QColor(Qt::red)) {
                ++red[y / 16][x / 16];
            } else {
                EXPECT_EQ(color, QColor(Qt::yellow)) << x << "," << y;
            }
        }
    }
    // 改 stands at the upper left and 名 at the lower right; the other quarters stay empty.
    EXPECT_GT(red[0][0], 20);
    EXPECT_GT(red[1][1], 20);
    EXPECT_EQ(red[0][1], 0);
    EXPECT_EQ(red[1][0], 0);
}

TEST(Icon, XpmHoldsSixteenOpaqueColours)
{
    int width = 0, height = 0, colours = 0, charsPerPixel = 0;
    ASSERT_EQ(std::sscanf(mojik_xpm[0], "%d %d %d %d", &width, &height, &colours, &charsPerPixel), 4);
    EXPECT_EQ(colours, 16);
    for (int i = 1; i <= colours; ++i)
        EXPECT_FALSE(QString::fromLatin1(mojik_xpm[i]).contains(QLatin1String("none"), Qt::CaseInsensitive)) << i;
}

} // namespace
