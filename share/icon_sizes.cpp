// mojik_icon_sizes: writes the window's 32 px icon as the PNG files of the hicolor
// icon theme, one per size given, scaled without smoothing so that every pixel
// is one of the picture's sixteen colours.
//   mojik_icon_sizes FOLDER SIZE... writes FOLDER/SIZExSIZE/apps/mojik.png
#include <QDir>
#include <QImage>
#include <cstdio>

namespace {

#include "window/mojik.xpm"

// The picture's row or column that gives row or column `at` of `size`. Going
// down in size the first and the last are always taken, so that the frame
// stays on all four sides; going up each is repeated.
int sourceOf(int at, int size, int pictureSize)
{
    if (size < pictureSize)
        return size == 1 ? 0 : (at * (pictureSize - 1) + (size - 1) / 2) / (size - 1);
    return at * pictureSize / size;
}

QImage scaled(const QImage &picture, int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y, picture.pixel(sourceOf(x, size, picture.width()), sourceOf(y, size, picture.height())));
    }
    return image;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    const QImage icon(mojik_xpm);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        const QString sized = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = folder.filePath(sized + QStringLiteral("/mojik.png"));
        if (size <= 0 || !folder.mkpath(sized)
            || !scaled(icon, size).save(file, "PNG")) {
            std::fprintf(stderr, "%s: cannot write the %s px icon to %s\n", argv[0], argv[i], qPrintable(file));
            return 1;
        }
    }
    return 0;
}
