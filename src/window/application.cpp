// setUpApplication (Qt's Japanese translation, the names, the default font and the heap) and openWindow.
#include "window/application.h"

#include "controls/message_box.h"
#include "system/memory.h"
#include "text/names.h"
#include "text/reason.h"
#include "window/font.h"
#include "window/mojik.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void setUpApplication(QApplication &app)
{
    sys::keepFreedMemory();
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto *translator = new QTranslator(&app);
    // Qt's own folder where Qt is installed; the program's on Windows, where Qt's
    // files are laid out beside it.
    for (const QString &folder : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                  QCoreApplication::applicationDirPath() + QStringLiteral("/translations")}) {
        if (translator->load(QStringLiteral("qtbase_ja"), folder)) {
            QApplication::installTranslator(translator);
            break;
        }
    }
    QApplication::setApplicationName(QStringLiteral("Mojik"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.mojik")); // matches the window to its menu entry
    QApplication::setFont(japaneseGothic());
}

int openWindow(QApplication &app, const std::filesystem::path &folder)
{
    setUpApplication(app);
    if (!folder.empty()) {
        std::error_code error;
        // A file given instead, as a file manager may, opens its own folder.
        const std::filesystem::path where =
            std::filesystem::is_directory(folder, error) ? folder : std::filesystem::absolute(folder, error).parent_path();
        std::filesystem::current_path(where, error);
        if (error)
            controls::showMessage(nullptr,
                                  QStringLiteral("%1 を開けなかったので、%2 で始めます。\r%3")
                                      .arg(text::displayName(folder),
                                           text::displayName(std::filesystem::current_path(error)),
                                           text::reasonText(error)),
                                  controls::Buttons::Ok);
    }
    MOJIK window;
    window.show();
    return QApplication::exec();
}
