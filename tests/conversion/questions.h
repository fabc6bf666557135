// The run's question as the window asks it: through a test's own answer, or in
// the real box, which the tests of the runs on every system and on POSIX share.
#pragma once

#include "support/window_harness.h"

#include "controls/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextEdit>
#include <QTimer>

namespace testing_support {

// The question goes to `question`; the harness still records and answers the other boxes.
inline void askThrough(WindowHarness &harness, const decltype(controls::Services::message) &question)
{
    harness.fake.services.message = [recorded = harness.fake.services.message, question](
                                        QWidget *parent, const QString &prompt, controls::Buttons buttons,
                                        const QString &details) {
        return (buttons == controls::Buttons::YesNo ? question : recorded)(parent, prompt, buttons, details);
    };
}

// What the real question showed when "実　行" was clicked.
struct RealQuestion {
    QString question;
    QString caption;   // of the details' button
    QString opened;    // the details, once that button was clicked
    bool closedFirst = false;
};

// Clicks "実　行", opens the real question's details and answers Yes.
inline RealQuestion answerRealQuestion(WindowHarness &harness)
{
    askThrough(harness, controls::showMessage);
    RealQuestion seen;
    const auto answer = [&](QMessageBox *box) {
        seen.question = box->text();
        auto *details = box->findChild<QTextEdit *>();
        const QList<QAbstractButton *> buttons = box->buttons(); // はい, いいえ, then the details'
        ASSERT_NE(details, nullptr);
        ASSERT_EQ(buttons.size(), 3);
        seen.closedFirst = !details->isVisible();
        seen.caption = buttons[2]->text();
        QTest::mouseClick(buttons[2], Qt::LeftButton);
        if (details->isVisible())
            seen.opened = details->toPlainText();
        QTest::mouseClick(buttons[0], Qt::LeftButton);
    };
    // Tied to the window, so that it cannot fire in a later test should this one fail before it.
    QTimer::singleShot(0, &harness.window(), [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        answer(box);
        if (box->isVisible()) {
            ADD_FAILURE() << "the question is still open";
            box->done(0);
        }
    });
    harness.click("Command1");
    return seen;
}

} // namespace testing_support
