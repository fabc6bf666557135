// showMessage: the program's one message box, built on QMessageBox.
#include "controls/message_box.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>

namespace controls {

Answer showMessage(QWidget *parent, const QString &prompt, Buttons buttons, const QString &details)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Mojik"), QString(), QMessageBox::NoButton, parent);
    // Prompts carry file names, which may hold < or & and must show as they are.
    box.setTextFormat(Qt::PlainText);
    box.setText(QString(prompt).replace(u'\r', u'\n'));

    if (buttons == Buttons::Ok) {
        // A lone button is also the escape button: Esc and the close box answer OK.
        box.addButton(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }

    // The standard buttons bring the desktop's translated captions, but also its
    // button order: GNOME and macOS put No before Yes. Moved to one shared role,
    // the button box keeps them in the order they were added on every layout.
    // With no reject or No role left, QMessageBox finds no escape button either,
    // so Esc does nothing and it refuses the close event.
    QPushButton *yes = box.addButton(QMessageBox::Yes);
    QPushButton *no = box.addButton(QMessageBox::No);
    box.addButton(yes, QMessageBox::ActionRole);
    box.addButton(no, QMessageBox::ActionRole);
    // Set after Yes and No, so that its button, which Qt captions in the
    // desktop's language, comes last in the same role. It shows as plain text.
    if (!details.isEmpty()) {
        box.setDetailedText(QString(details).replace(u'\r', u'\n'));
        // Qt's details show some five wrapped lines in a box as narrow as the
        // prompt; names read better one a line, a dozen at a time.
        if (auto *list = box.findChild<QTextEdit *>()) {
            const QFontMetrics metrics = list->fontMetrics();
            list->setLineWrapMode(QTextEdit::NoWrap);
            list->setMinimumWidth(metrics.averageCharWidth() * 64);
            list->setFixedHeight(metrics.lineSpacing() * 12 + static_cast<int>(2 * list->document()->documentMargin())
                                 + 2 * list->frameWidth());
        }
    }
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes ? Answer::Yes : Answer::No;
}

} // namespace controls
