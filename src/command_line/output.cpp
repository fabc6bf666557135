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
    const std::string bytes = message.toStdString() + '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), stderr);
}

} // namespace command_line
