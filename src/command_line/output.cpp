// Printer, say and outputError.
#include "command_line/output.h"

#include "command_line/command_line.h"

#include <cerrno>
#include <cstdio>

namespace command_line {

namespace {

std::error_code g_outputError;

} // namespace

void Printer::flush()
{
    std::fwrite(m_out.data(), 1, m_out.size(), stdout);
    if (std::fflush(stdout) != 0 && !g_outputError)
        g_outputError = std::error_code(errno, std::generic_category());
    m_out.clear();
}

int Printer::stop(const QString &why)
{
    flush();
    say(why);
    return kStopped;
}

std::error_code outputError()
{
    return g_outputError;
}

void say(const QString &message)
{
    // The shared texts break their lines with carriage returns, as the message box does.
    QString text = message;
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const std::string bytes = text.toStdString() + '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
}

} // namespace command_line
