// postScriptName and japaneseGothic: the window's font, chosen by its file's name.
#include "window/font.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QRawFont>
#include <QStringDecoder>
#include <QtEndian>
#include <optional>

namespace {

constexpr int kPointSize = 9;

} // namespace

QString postScriptName(const QFont &font)
{
    // The name table: a count and the strings' offset, then records of six
    // 16-bit fields: platform, encoding, language, name ID, length, offset.
    const QByteArray table = QRawFont::fromFont(font).fontTable("name");
    const auto field = [&table](qsizetype at) {
        return at + 2 <= table.size() ? qFromBigEndian<quint16>(table.constData() + at) : 0;
    };
    constexpr quint16 kPostScriptNameId = 6;
    constexpr quint16 kMacintosh = 1;
    const qsizetype strings = field(4);
    for (qsizetype record = 6; record < 6 + 12 * qsizetype(field(2)); record += 12) {
        if (field(record + 6) != kPostScriptNameId)
            continue;
        const QByteArray bytes = table.mid(strings + field(record + 10), field(record + 8));
        if (field(record) == kMacintosh)
            return QString::fromLatin1(bytes);
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes); // Unicode and Windows records
    }
    return {};
}

QFont japaneseGothic()
{
    const auto firstFitted = []() -> std::optional<QFont> {
        for (const FittedGothic &fitted : fittedGothics()) {
            QFont font(fitted.family, kPointSize);
            if (postScriptName(font) == fitted.postScriptName)
                return font;
        }
        return std::nullopt;
    };
    if (const std::optional<QFont> font = firstFitted())
        return *font;
    const QString besideProgram = QCoreApplication::applicationDirPath() + QStringLiteral("/fonts/ipag.ttf");
    if (QFile::exists(besideProgram) && QFontDatabase::addApplicationFont(besideProgram) >= 0) {
        if (const std::optional<QFont> font = firstFitted())
            return *font;
    }
    const QStringList families = QFontDatabase::families(QFontDatabase::Japanese);
    for (const QString &family : families) {
        for (const QString &kind : {QStringLiteral("Gothic"), QStringLiteral("ゴシック"), QStringLiteral("Sans")}) {
            if (family.contains(kind, Qt::CaseInsensitive))
                return QFont(family, kPointSize);
        }
    }
    if (!families.isEmpty())
        return QFont(families.first(), kPointSize);
    return QFont(fittedGothics().constFirst().family, kPointSize);
}
