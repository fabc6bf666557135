// Tests of the two programs of the Windows folder: mojik.exe for the window, and
// mojik.com, which cmd.exe runs for "mojik" and waits for.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

// The subsystem a Windows program declares in its header: 2 for a window of its
// own, 3 for the console it is started from.
int subsystemOf(const QString &program)
{
    QFile file(program);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray head = file.read(4096);
    const auto at = [&head](qsizetype offset, int size) {
        quint32 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | static_cast<quint8>(head.at(offset + i));
        return value;
    };
    const qsizetype pe = at(0x3C, 4);
    if (pe + 24 + 70 > head.size() || head.mid(pe, 4) != QByteArray("PE\0\0", 4))
        return -1;
    return static_cast<int>(at(pe + 24 + 68, 2)); // after the signature and the file header
}

TEST(Console, TheCommandLineHasAConsoleProgramAndTheWindowNone)
{
    const QString folder = QCoreApplication::applicationDirPath();
    EXPECT_EQ(subsystemOf(folder + QStringLiteral("/mojik.exe")), 2);
    EXPECT_EQ(subsystemOf(folder + QStringLiteral("/mojik.com")), 3);

    QProcess program;
    program.start(folder + QStringLiteral("/mojik.com"), {QStringLiteral("--version")});
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(program.readAllStandardOutput()).startsWith(QStringLiteral("MOJIK ")));
}

} // namespace
