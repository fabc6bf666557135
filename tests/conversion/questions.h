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

// Abc.txt, DONE.TXT and zed.txt: a run to capitals renames two and leaves one.
inline void fillTwoToRename(const TempFolder &folder)
{
    for (const char *name : {"Abc.txt", "DONE.TXT", "zed.txt"})
        folder.file(name);
}

// Clicks "実　行" and answers Yes after the files `cameIn` came into the folder
// while the question was read; the details the question showed.
inline QString convertWhileFilesCameIn(WindowHarness &harness, std::initializer_list<const char *> cameIn)
{
    QString shown;
    askThrough(harness, [&](QWidget *, const QString &, controls::Buttons, const QString &details) {
        shown = details;
        for (const char *name : cameIn)
            harness.folder.file(name);
        return controls::Answer::Yes;
    });
    harness.click("Command1");
    return shown;
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
