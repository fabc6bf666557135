// The program's start: the application, its Japanese set-up, and the one window.
#include "window/application.h"
#include "window/mojik.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setUpApplication(app);
    MOJIK window;
    window.show();
    return QApplication::exec();
}
