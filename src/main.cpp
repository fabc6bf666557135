// The program's start: the command line when options ask for it, else the window.
#include "command_line/command_line.h"
#include "system/arguments.h"
#include "window/application.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    const command_line::Options options = command_line::parseOptions(sys::programArguments(argc, argv));
    if (options.action != command_line::Action::Window || !options.error.isEmpty()) {
        QCoreApplication app(argc, argv); // no display needed
        const int code = command_line::run(options);
        // Nothing is left to do at the exit but give back what the system takes back
        // anyway, which for the libraries of the window costs milliseconds.
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(code);
    }
    QApplication app(argc, argv);
    return openWindow(app, options.folder);
}
