// Printer and say.
#include "command_line/output.h"

#include <cstdio>

namespace command_line {

void Printer::flush()
{
    std::fwrite(m_out.data(), 1, m_out.size(), stdout);
    std::fflush(stdout);
    m_out.clear();
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
