// The message box.
#include "platform/message_box.h"

#include <QMessageBox>
#include <QPushButton>

namespace platform {

Answer showMessage(QWidget *parent, const QString &prompt, Buttons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Mojik"), prompt, QMessageBox::NoButton, parent);
    if (buttons == Buttons::Ok) {
        box.addButton(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }
    QPushButton *yes = box.addButton(QMessageBox::Yes);
    box.addButton(QMessageBox::No);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == static_cast<QAbstractButton *>(yes) ? Answer::Yes : Answer::No;
}

} // namespace platform
