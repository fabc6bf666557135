// setUpApplication: Qt's Japanese translation, the names, the default font and the heap.
#include "window/application.h"

#include "system/memory.h"
#include "window/font.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void setUpApplication(QApplication &app)
{
    sys::keepFreedMemory();
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    QApplication::setApplicationName(QStringLiteral("Mojik"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.mojik")); // matches the window to its menu entry
    QApplication::setFont(japaneseGothic());
}
