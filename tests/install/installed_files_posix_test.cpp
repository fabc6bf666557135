// Tests of what `cmake --install` lays out, installed into a fresh temporary
// folder and checked with the tools desktops and Debian check them with.
#include "support/window_harness.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <map>

namespace {

#include "window/mojik.xpm"

struct Result {
    int exitCode;
    QString output; // standard output, then standard error
    QString errors;
};

Result run(const QString &program, const QStringList &arguments,
           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, program + QStringLiteral(" did not run: ") + process.errorString(), {}};
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()) + errors, errors};
}

QString read(const std::filesystem::path &file)
{
    return QString::fromStdString(testing_support::contentOf(file));
}

// The keys of a desktop entry's one group.
std::map<QString, QString> desktopEntry(const std::filesystem::path &file)
{
    std::map<QString, QString> keys;
    for (const QString &line : read(file).split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals > 0 && !line.startsWith(u'#'))
            keys[line.left(equals)] = line.mid(equals + 1);
    }
    return keys;
}

// The first element of that name in an XML document: its attributes and text.
struct Element {
    QXmlStreamAttributes attributes;
    QString text;
};

Element firstElement(const QString &document, QLatin1String name)
{
    QXmlStreamReader xml(document);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name) {
            Element element{xml.attributes(), {}};
            element.text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            return element;
        }
    }
    ADD_FAILURE() << "no <" << name.data() << "> element";
    return {};
}

class Installed : public testing::Test {
protected:
    void SetUp() override
    {
        const Result install = run(QStringLiteral(MOJIK_CMAKE),
                                   {QStringLiteral("--install"), QStringLiteral(MOJIK_BUILD_DIR), QStringLiteral("--prefix"),
                                    QString::fromStdString(prefix.path().string())});
        ASSERT_EQ(install.exitCode, 0) << install.output.toStdString();
    }

    std::filesystem::path at(const char *relative) const { return prefix.path() / relative; }
    QString path(const char *relative) const { return QString::fromStdString(at(relative).string()); }
    Result manPage() const
    {
        return run(QStringLiteral("man"), {QStringLiteral("-E"), QStringLiteral("UTF-8"), QStringLiteral("-l"), path(kManPage)});
    }

    static constexpr char kDesktopEntry[] = "share/applications/org.example.mojik.desktop";
    static constexpr char kMetainfo[] = "share/metainfo/org.example.mojik.metainfo.xml";
    static constexpr char kManPage[] = "share/man/man1/mojik.1.gz";
    static constexpr char kCopyright[] = "share/doc/mojik/copyright";
    static constexpr char kChangelog[] = "share/doc/mojik/changelog.gz";

    testing_support::TempFolder prefix;
};

TEST_F(Installed, EveryFilePassesTheCheckItsReadersMake)
{
    const struct {
        const char *program;
        QStringList arguments;
        const char *file;
    } checks[] = {
        {"desktop-file-validate", {}, kDesktopEntry},
        {"appstreamcli", {QStringLiteral("validate"), QStringLiteral("--no-net")}, kMetainfo},
        {"man", {QStringLiteral("--warnings"), QStringLiteral("-E"), QStringLiteral("UTF-8"), QStringLiteral("-l")}, kManPage},
    };
    for (const auto &check : checks) {
        const Result result = run(QString::fromLatin1(check.program), check.arguments + QStringList{path(check.file)});
        EXPECT_EQ(result.exitCode, 0) << check.program << ": " << result.output.toStdString();
        EXPECT_EQ(result.errors.toStdString(), "") << check.program;
    }
}

// The manual names every option the program's own help names.
TEST_F(Installed, TheManPageTellsTheWindowEveryOptionAndTheJournal)
{
    const Result help = run(QStringLiteral(MOJIK_PROGRAM), {QStringLiteral("--help")});
    ASSERT_EQ(help.exitCode, 0) << help.output.toStdString();
    QStringList options;
    for (const QRegularExpressionMatch &option : QRegularExpression(QStringLiteral(R"((?<![\w-])--?[a-z][a-z-]*)")).globalMatch(help.output))
        options << option.captured();
    EXPECT_GE(options.size(), 10) << help.output.toStdString();

    const Result page = manPage();
    ASSERT_EQ(page.exitCode, 0) << page.output.toStdString();
    for (const QString &shown : options + QStringList{QStringLiteral("THE WINDOW"), QStringLiteral("EXIT STATUS"),
                                                      QStringLiteral("$XDG_STATE_HOME/mojik/"), QStringLiteral("~/.local/state/mojik/")})
        EXPECT_TRUE(page.output.contains(shown)) << shown.toStdString();
}

// Each size holds only the picture's colours, keeps its frame on all four sides,
// and, where it is a multiple of 32, is the picture with each pixel repeated.
TEST_F(Installed, IconsOfEverySizeAreThePictureScaledWithoutSmoothing)
{
    const QImage picture(mojik_xpm);
    const QRgb frame = picture.pixel(0, 0);
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString file = path("share/icons/hicolor") + QStringLiteral("/%1x%1/apps/mojik.png").arg(size);
        const QImage icon(file);
        ASSERT_EQ(icon.size(), QSize(size, size)) << file.toStdString();
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const QRgb pixel = icon.pixel(x, y);
                if (size % 32 == 0) {
                    ASSERT_EQ(pixel, picture.pixel(x * 32 / size, y * 32 / size)) << size << ": " << x << "," << y;
                } else {
                    ASSERT_TRUE(picture.colorTable().contains(pixel)) << size << ": " << x << "," << y;
                }
                if (x == 0 || y == 0 || x == size - 1 || y == size - 1) {
                    ASSERT_EQ(pixel, frame) << size << ": " << x << "," << y;
                }
            }
        }
    }
}

TEST_F(Installed, TheDesktopEntryStartsTheInstalledProgramWithItsIconAndTitle)
{
    testing_support::WindowHarness harness;
    auto entry = desktopEntry(at(kDesktopEntry));
    EXPECT_EQ(entry[QStringLiteral("Exec")], QStringLiteral("mojik %f"));
    EXPECT_TRUE(QFileInfo(path("bin/mojik")).isExecutable());
    EXPECT_TRUE(QFile::exists(path("share/icons/hicolor/32x32/apps/") + entry[QStringLiteral("Icon")] + QStringLiteral(".png")));
    EXPECT_EQ(entry[QStringLiteral("Name[ja]")], harness.window().windowTitle());
    // Desktops match the running window to its entry by this name.
    EXPECT_EQ(at(kDesktopEntry).stem().string(), QGuiApplication::desktopFileName().toStdString());
}

TEST_F(Installed, TheMetainfoShowsTheReadmesPictureAtItsSize)
{
    const QString readme = read(std::filesystem::path(MOJIK_SOURCE_DIR) / "README.md");
    const QRegularExpressionMatch picture = QRegularExpression(QStringLiteral(R"(!\[[^\]]*\]\(([^)]+)\))")).match(readme);
    ASSERT_TRUE(picture.hasMatch());
    const QImage shown(QStringLiteral(MOJIK_SOURCE_DIR "/") + picture.captured(1));
    ASSERT_FALSE(shown.isNull()) << picture.captured(1).toStdString();

    QXmlStreamReader xml(read(at(kMetainfo)));
    QString launchable;
    int images = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("launchable")) {
            launchable = xml.readElementText();
        } else if (xml.name() == QLatin1String("image")) {
            ++images;
            const QSize size(xml.attributes().value(QLatin1String("width")).toInt(),
                             xml.attributes().value(QLatin1String("height")).toInt());
            EXPECT_EQ(size, shown.size());
            EXPECT_TRUE(xml.readElementText().endsWith(u'/' + picture.captured(1)));
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(images, 1);
    EXPECT_EQ(launchable.toStdString(), at(kDesktopEntry).filename().string());
}

// The licence LICENSE states is the one the metainfo names, the help ends with
// and the copyright file gives in full, beside the licences of Qt and the font.
TEST_F(Installed, TheLicenceIsNamedAlikeInTheTreeTheMetainfoTheHelpAndTheCopyrightFile)
{
    const QString licence = read(std::filesystem::path(MOJIK_SOURCE_DIR) / "LICENSE");
    const QStringList lines = licence.split(u'\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("MIT License"));
    EXPECT_EQ(firstElement(read(at(kMetainfo)), QLatin1String("project_license")).text.toStdString(), "MIT");

    const Result help = run(QStringLiteral(MOJIK_PROGRAM), {QStringLiteral("--help")});
    EXPECT_TRUE(help.output.contains(lines[2] + u'\n' + QStringLiteral("MIT ライセンス"))) << help.output.toStdString();

    // A licence's text in the copyright file: each line indented by one space, "." for an empty one.
    const QString copyright = read(at(kCopyright));
    QString notice = licence.mid(licence.indexOf(QStringLiteral("Permission"))).trimmed();
    notice.replace(QStringLiteral("\n\n"), QStringLiteral("\n.\n")).replace(u'\n', QStringLiteral("\n "));
    for (const QString &expected : {QStringLiteral("\nCopyright: 2026 The MOJIK developers\nLicense: Expat\n ") + notice + u'\n',
                                    QStringLiteral("\nLicense: LGPL-3\n"), QStringLiteral("\nLicense: IPA\n")})
        EXPECT_TRUE(copyright.contains(expected)) << expected.toStdString();
}

// --version, the metainfo's release, the man page, the changelog and the about
// box all name the project's version. The about box's text is fixed, so a new version has to
// face it here rather than ship two numbers.
TEST_F(Installed, EveryPlaceThatNamesTheVersionNamesTheProjects)
{
    testing_support::WindowHarness harness;
    harness.control<QAction>("about")->trigger();
    ASSERT_EQ(harness.fake.shown.size(), 1u);

    const struct {
        const char *place;
        QString text;
        const char *version; // a pattern whose first group is the version
    } places[] = {
        {"--version", run(QStringLiteral(MOJIK_PROGRAM), {QStringLiteral("--version")}).output, R"(^MOJIK (\S+)\n$)"},
        {"the metainfo's release",
         firstElement(read(at(kMetainfo)), QLatin1String("release")).attributes.value(QLatin1String("version")).toString(),
         R"(^(.+)$)"},
        {"the man page", manPage().output, R"(MOJIK\s+(\d[\d.]*))"},
        {"the changelog's latest entry", run(QStringLiteral("gzip"), {QStringLiteral("-dc"), path(kChangelog)}).output,
         R"(^mojik \((\S+)\) )"},
        {"the about box", harness.fake.shown[0].prompt, R"(Ver (\S+)\r)"},
    };
    for (const auto &place : places) {
        int found = 0;
        for (const QRegularExpressionMatch &match : QRegularExpression(QString::fromLatin1(place.version)).globalMatch(place.text)) {
            EXPECT_EQ(match.captured(1).toStdString(), MOJIK_VERSION) << place.place;
            ++found;
        }
        EXPECT_GE(found, 1) << place.place << ": " << place.text.toStdString();
    }
}

// As a desktop looks the programs for a folder up: the install's data folder and
// a system's with its file manager, each with its cache, and nothing of the
// user's. MOJIK is offered for folders, and the file manager stays the default.
TEST_F(Installed, AFolderIsOfferedToItAndItsFileManagerStaysTheDefault)
{
    testing_support::TempFolder desktop;
    desktop.file("system/applications/filer.desktop",
                 "[Desktop Entry]\nType=Application\nName=Filer\nExec=true %f\nMimeType=inode/directory;\n");
    desktop.file("system/applications/mimeapps.list", "[Default Applications]\ninode/directory=filer.desktop\n");
    for (const QString &applications : {path("share/applications"), QString::fromStdString((desktop.path() / "system/applications").string())}) {
        const Result update = run(QStringLiteral("update-desktop-database"), {applications});
        ASSERT_EQ(update.exitCode, 0) << update.output.toStdString();
    }

    const QString home = QString::fromStdString(desktop.folder("home").string());
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("PATH"), path("bin") + u':' + qEnvironmentVariable("PATH"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), home);
    environment.insert(QStringLiteral("XDG_DATA_DIRS"),
                       path("share") + u':' + QString::fromStdString((desktop.path() / "system").string()));
    const Result gio = run(QStringLiteral("gio"), {QStringLiteral("mime"), QStringLiteral("inode/directory")}, environment);
    ASSERT_EQ(gio.exitCode, 0) << gio.output.toStdString();

    const QRegularExpressionMatch registered =
        QRegularExpression(QStringLiteral("Registered applications:\n((?:\t.*\n)*)")).match(gio.output);
    EXPECT_TRUE(registered.captured(1).contains(QStringLiteral("\torg.example.mojik.desktop\n"))) << gio.output.toStdString();
    EXPECT_TRUE(gio.output.startsWith(QStringLiteral("Default application for “inode/directory”: filer.desktop\n")))
        << gio.output.toStdString();
}

} // namespace
