// setUpApplication: Qt's Japanese translation, the default font and the heap.
#include "window/application.h"

#include "system/memory.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

QFont japaneseGothic()
{
    QFont font(QStringLiteral("IPAGothic"), 9);
    if (QFontInfo(font).family() == QLatin1String("IPAGothic"))
        return font;
    // Another installed font that covers Japanese, gothic ones first.
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString &family : families) {
        if (family.contains(QLatin1String("Gothic"), Qt::CaseInsensitive) || family.contains(QLatin1String("Sans")))
            return QFont(family, 9);
    }
    if (!families.isEmpty())
        return QFont(families.first(), 9);
    return font;
}

} // namespace

void setUpApplication(QApplication &app)
{
    sys::keepFreedMemory();
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    QApplication::setApplicationName(QStringLiteral("Mojik"));
    QApplication::setFont(japaneseGothic());
}
