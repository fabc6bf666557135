// The program's start: the command line when options ask for it, else the window.
#include "command_line/command_line.h"
#include "window/application.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const command_line::Options options = command_line::parseOptions({argv + 1, argv + argc});
    if (options.action != command_line::Action::Window || !options.error.isEmpty()) {
        QCoreApplication app(argc, argv); // no display needed
        return command_line::run(options);
    }
    QApplication app(argc, argv);
    return openWindow(app, options.folder);
}
