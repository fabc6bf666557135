// What the command line prints: names as their own bytes on standard output, so
// that a script gets them exactly, and messages on standard error.
#pragma once

#include <QString>
#include <string>
#include <system_error>

namespace command_line {

// Collects standard output and writes it at once, which a run of many thousand
// names would otherwise spend its time on.
class Printer {
public:
    ~Printer() { flush(); }
    void add(const std::string &bytes) { m_out += bytes; }
    void add(std::string &&bytes)
    {
        if (m_out.empty())
            m_out = std::move(bytes); // a big run's lines, taken whole rather than copied
        else
            m_out += bytes;
    }
    void add(const QString &text) { m_out += text.toStdString(); }
    void flush();
    // What was done so far, then why the run stops there; the exit code of a stop.
    int stop(const QString &why);

private:
    std::string m_out;
};

void say(const QString &message);

// The first failure to write standard output, if any: a script that gets no
// list of what was done must hear that something went wrong.
std::error_code outputError();

} // namespace command_line
