// Tests of what `cmake --install` lays out, installed into a fresh temporary
// folder and checked with the tools desktops and Debian check them with.
#include "support/window_harness.h"

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

    const Result page = run(QStringLiteral("man"), {QStringLiteral("-E"), QStringLiteral("UTF-8"), QStringLiteral("-l"), path(kManPage)});
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

// The licence of LICENSE is the one the metainfo, the help and the copyright file name.
TEST_F(Installed, TheLicenceIsNamedAlikeEverywhere)
{
    const QStringList licence = read(std::filesystem::path(MOJIK_SOURCE_DIR) / "LICENSE").split(u'\n');
    ASSERT_GE(licence.size(), 5);
    EXPECT_EQ(licence[0], QStringLiteral("MIT License"));
    EXPECT_TRUE(read(at(kMetainfo)).contains(QStringLiteral("<project_license>MIT</project_license>")));
    EXPECT_TRUE(run(QStringLiteral(MOJIK_PROGRAM), {QStringLiteral("--help")}).output.contains(licence[2] + QStringLiteral("\nMIT ライセンス")));
    const QString copyright = read(at(kCopyright));
    for (const QString &named : {QStringLiteral("\nCopyright: 2026 The MOJIK developers\nLicense: Expat\n ") + licence[4],
                                 QStringLiteral("\nLicense: LGPL-3\n"), QStringLiteral("\nLicense: IPA\n")})
        EXPECT_TRUE(copyright.contains(named)) << named.toStdString();
}

// Every installed place that names the version names the project's. (The about
// box is not one: its text is fixed, and its own test holds it.)
TEST_F(Installed, EveryPlaceThatNamesTheVersionNamesTheProjects)
{
    const struct {
        QString text;
        const char *version; // a pattern whose first group is the version
    } places[] = {
        {run(QStringLiteral(MOJIK_PROGRAM), {QStringLiteral("--version")}).output, R"(^MOJIK (\S+)\n$)"},
        {read(at(kMetainfo)), R"re(<release version="([^"]+)")re"},
        {run(QStringLiteral("man"), {QStringLiteral("-l"), path(kManPage)}).output, R"(MOJIK\s+(\d[\d.]*))"},
        {run(QStringLiteral("gzip"), {QStringLiteral("-dc"), path(kChangelog)}).output, R"(^mojik \((\S+)\) )"},
    };
    for (const auto &place : places) {
        QStringList found;
        for (const QRegularExpressionMatch &match : QRegularExpression(QString::fromLatin1(place.version)).globalMatch(place.text))
            found << match.captured(1);
        EXPECT_FALSE(found.isEmpty()) << place.text.toStdString();
        EXPECT_EQ(found.filter(QStringLiteral(MOJIK_VERSION)).size(), found.size()) << place.text.toStdString();
    }
}

// As a desktop looks up the programs for a folder, in the install and in a
// system folder whose file manager is the default: MOJIK is offered, and the
// file manager stays the default.
TEST_F(Installed, AFolderIsOfferedToItAndItsFileManagerStaysTheDefault)
{
    testing_support::TempFolder system;
    system.file("applications/filer.desktop", "[Desktop Entry]\nType=Application\nName=Filer\nExec=true %f\nMimeType=inode/directory;\n");
    system.file("applications/mimeapps.list", "[Default Applications]\ninode/directory=filer.desktop\n");
    const QString systemPath = QString::fromStdString(system.path().string());
    for (const QString &applications : {path("share/applications"), systemPath + QStringLiteral("/applications")})
        ASSERT_EQ(run(QStringLiteral("update-desktop-database"), {applications}).exitCode, 0);

    QProcessEnvironment environment; // nothing of the user's
    environment.insert(QStringLiteral("PATH"), path("bin") + u':' + qEnvironmentVariable("PATH"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
        environment.insert(QString::fromLatin1(name), systemPath + QStringLiteral("/home"));
    environment.insert(QStringLiteral("XDG_DATA_DIRS"), path("share") + u':' + systemPath);
    const Result gio = run(QStringLiteral("gio"), {QStringLiteral("mime"), QStringLiteral("inode/directory")}, environment);
    EXPECT_TRUE(gio.output.startsWith(QStringLiteral("Default application for “inode/directory”: filer.desktop\n")
                                      + QStringLiteral("Registered applications:\n\torg.example.mojik.desktop\n\tfiler.desktop\n")))
        << gio.output.toStdString();
}

} // namespace
