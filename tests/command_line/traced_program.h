// The program itself, run as a process: under strace when one of its system
// calls is to be faulted (killed by a real signal, refused or slowed there).
#pragma once

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace command_line_testing {

constexpr int kKilled = -1;

// Starts the program with `arguments`; with `killAt` ("renameat2:2"), under
// strace, which kills it with SIGKILL at that call of that system call; with
// `inject`, strace's own specs, several apart by spaces
// ("renameat2:error=EINVAL fsync:delay_exit=1500000:when=1").
inline void startProgram(QProcess &process, const QStringList &arguments, const QString &killAt = {},
                         const QString &inject = {})
{
    QStringList specs = inject.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!killAt.isEmpty())
        specs << QStringLiteral("%1:signal=SIGKILL:when=%2")
                     .arg(killAt.section(QLatin1Char(':'), 0, 0), killAt.section(QLatin1Char(':'), 1));
    QString command = QStringLiteral(MOJIK_PROGRAM);
    QStringList line = arguments;
    if (!specs.isEmpty()) {
        QStringList calls;
        line = QStringList{QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null")};
        for (const QString &spec : specs) {
            calls << spec.section(QLatin1Char(':'), 0, 0);
            line << QStringLiteral("-e") << QStringLiteral("inject=") + spec;
        }
        calls.removeDuplicates();
        line << QStringLiteral("-e") << QStringLiteral("trace=") + calls.join(QLatin1Char(',')) << command << arguments;
        command = QStringLiteral("strace");
    }
    process.start(command, line);
}

// The exit code of a process started so, or kKilled; what it said on `err`.
inline int exitOf(QProcess &process, QString *err = nullptr)
{
    EXPECT_TRUE(process.state() == QProcess::NotRunning || process.waitForFinished(60000))
        << process.program().toStdString() << ' ' << process.errorString().toStdString();
    if (err)
        *err = QString::fromUtf8(process.readAllStandardError());
    return process.exitStatus() == QProcess::CrashExit ? kKilled : process.exitCode();
}

inline int program(const QStringList &arguments, const QString &killAt = {}, const QString &inject = {},
                   QString *err = nullptr)
{
    QProcess process;
    startProgram(process, arguments, killAt, inject);
    return exitOf(process, err);
}

} // namespace command_line_testing
