// Tests of the real message box, answered from inside its own event loop.
#include "controls/message_box.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

using controls::Answer;
using controls::Buttons;

// Shows the box and runs `answer` on it once it is up. Should `answer` leave the
// box open, the test fails and the box is closed so the test cannot hang.
Answer showAndAnswer(const QString &prompt, Buttons buttons, const std::function<void(QMessageBox *)> &answer)
{
    QObject guard; // drops the timer should the box never open
    QTimer::singleShot(0, &guard, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box is open";
            return;
        }
        answer(box);
        if (box->isVisible()) {
            ADD_FAILURE() << "the box is still open";
            box->done(0);
        }
    });
    return controls::showMessage(nullptr, prompt, buttons);
}

// A button's caption as read, without the keyboard hint that the Japanese
// translation adds: "はい(&Y)" reads はい.
QString caption(const QAbstractButton *button)
{
    static const QRegularExpression hint(QStringLiteral("\\(&\\w\\)$"));
    return QString(button->text()).remove(hint).remove(u'&');
}

QPushButton *buttonNamed(QMessageBox *box, const QString &name)
{
    for (QAbstractButton *button : box->buttons()) {
        if (caption(button) == name)
            return qobject_cast<QPushButton *>(button);
    }
    ADD_FAILURE() << "no button " << name.toStdString();
    return nullptr;
}

QLabel *promptLabel(QMessageBox *box)
{
    for (QLabel *label : box->findChildren<QLabel *>()) {
        if (!label->text().isEmpty())
            return label;
    }
    return nullptr;
}

TEST(MessageBox, YesNoBoxShowsYesFirstAsDefaultWithoutIcon)
{
    const Answer answer = showAndAnswer(QStringLiteral("変換しますか？"), Buttons::YesNo, [](QMessageBox *box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Mojik"));
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_TRUE(box->iconPixmap().isNull());
        ASSERT_EQ(box->buttons().size(), 2);
        QPushButton *yes = buttonNamed(box, QStringLiteral("はい"));
        QPushButton *no = buttonNamed(box, QStringLiteral("いいえ"));
        ASSERT_NE(yes, nullptr);
        ASSERT_NE(no, nullptr);
        EXPECT_LT(yes->mapTo(box, QPoint()).x(), no->mapTo(box, QPoint()).x());
        EXPECT_EQ(box->defaultButton(), yes);
        EXPECT_TRUE(yes->isDefault());
        QTest::mouseClick(no, Qt::LeftButton);
    });
    EXPECT_EQ(answer, Answer::No);
}

// A style that lays dialog buttons out as a given desktop does.
class DesktopLayout : public QProxyStyle {
public:
    explicit DesktopLayout(QDialogButtonBox::ButtonLayout layout) : m_layout(layout) {}
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_DialogButtonLayout)
            return m_layout;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QDialogButtonBox::ButtonLayout m_layout;
};

TEST(MessageBox, YesStaysLeftOfNoOnEveryDesktopLayout)
{
    const QDialogButtonBox::ButtonLayout layouts[] = {QDialogButtonBox::WinLayout, QDialogButtonBox::MacLayout,
                                                      QDialogButtonBox::KdeLayout, QDialogButtonBox::GnomeLayout,
                                                      QDialogButtonBox::AndroidLayout};
    for (const auto layout : layouts) {
        DesktopLayout style(layout);
        showAndAnswer(QStringLiteral("変換しますか？"), Buttons::YesNo, [&](QMessageBox *box) {
            auto *buttonBox = box->findChild<QDialogButtonBox *>();
            ASSERT_NE(buttonBox, nullptr);
            buttonBox->setStyle(&style);
            buttonBox->layout()->activate();
            QPushButton *yes = buttonNamed(box, QStringLiteral("はい"));
            QPushButton *no = buttonNamed(box, QStringLiteral("いいえ"));
            ASSERT_NE(yes, nullptr);
            ASSERT_NE(no, nullptr);
            EXPECT_LT(yes->geometry().x(), no->geometry().x()) << layout;
            no->click();
        });
    }
}

TEST(MessageBox, YesNoBoxIgnoresEscapeAndTheCloseBox)
{
    const Answer answer = showAndAnswer(QStringLiteral("変換しますか？"), Buttons::YesNo, [](QMessageBox *box) {
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_TRUE(box->isVisible());
        EXPECT_FALSE(box->close());
        EXPECT_TRUE(box->isVisible());
        QPushButton *no = buttonNamed(box, QStringLiteral("いいえ"));
        ASSERT_NE(no, nullptr);
        QTest::mouseClick(no, Qt::LeftButton);
    });
    EXPECT_EQ(answer, Answer::No);
}

TEST(MessageBox, EnterAnswersYes)
{
    const Answer answer = showAndAnswer(QStringLiteral("変換しますか？"), Buttons::YesNo,
                                        [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Return); });
    EXPECT_EQ(answer, Answer::Yes);
}

TEST(MessageBox, OkBoxHasOneOkButtonAndEscapeClosesIt)
{
    const Answer answer = showAndAnswer(QStringLiteral("お知らせ"), Buttons::Ok, [](QMessageBox *box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Mojik"));
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        ASSERT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(caption(box->buttons().first()), QStringLiteral("OK"));
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_EQ(answer, Answer::Ok);
}

TEST(MessageBox, PromptShowsAsPlainTextWithCarriageReturnsAsLineBreaks)
{
    const struct {
        QString prompt;
        QString shown;
    } prompts[] = {
        {QStringLiteral("C:\\WORK\rのファイル名を変換しますか？"), QStringLiteral("C:\\WORK\nのファイル名を変換しますか？")},
        {QStringLiteral("a<b>&c.txt\r\rd"), QStringLiteral("a<b>&c.txt\n\nd")},
    };
    for (const auto &p : prompts) {
        showAndAnswer(p.prompt, Buttons::Ok, [&](QMessageBox *box) {
            QLabel *label = promptLabel(box);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), p.shown);
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
            box->buttons().first()->click();
        });
    }
}

TEST(MessageBox, LongPromptWrapsWithinTheScreen)
{
    const QString prompt = QString(400, QChar(u'字'));
    showAndAnswer(prompt, Buttons::Ok, [](QMessageBox *box) {
        EXPECT_LE(box->frameGeometry().width(), box->screen()->availableGeometry().width());
        box->buttons().first()->click();
    });
}

} // namespace
