// setUpApplication (Qt's Japanese translation, the default font and the heap) and openWindow.
#include "window/application.h"

#include "controls/message_box.h"
#include "system/memory.h"
#include "text/names.h"
#include "text/reason.h"
#include "window/mojik.h"

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
