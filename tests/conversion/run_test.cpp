// Tests of the conversion run through the real window: the confirmation, the
// renames, what is left alone and what the user is told.
#include "support/window_harness.h"

#include "controls/message_box.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QTextEdit>
#include <QTimer>

namespace {

using testing_support::WindowHarness;
using Names = std::set<std::filesystem::path>;

const std::string kShiftJisName = "\x83\x41\x83\x58.txt"; // アス.txt in Shift_JIS bytes
const std::string kChanceName = "\xC4\xB1.txt";               // ﾄｱ.txt in Shift_JIS, ı.txt as UTF-8

void fillAwkward(const testing_support::TempFolder &folder)
{
    for (const char *name : {"MixEd.txt", "0123", "漢字かな.txt", "ａｂｃ.txt", "straße.txt", ".hidden", "x.txt", "X.TXT"})
        folder.file(name);
    folder.file(kShiftJisName);
    folder.file(kChanceName);
    folder.file("SubDir/inner.txt");
}

TEST(ConversionRun, UpperThenLowerGivesTheRuleNamesAndKeepsEveryContent)
{
    WindowHarness harness(fillAwkward);
    const auto &root = harness.folder.path();

    // Names that read as code page 932 too are taken as the UTF-8 they plainly are
    // (漢字かな.txt, straße.txt), but ﾄｱ.txt, whose UTF-8 reading is a lone ı, is left.
    harness.convert(true);
    EXPECT_EQ(WindowHarness::namesIn(root), (Names{"MIXED.TXT", "0123", "漢字かな.TXT", "ＡＢＣ.TXT", "STRAßE.TXT", ".hidden",
                                                  "x.txt", "X.TXT", kShiftJisName, kChanceName, "SubDir"}));
    EXPECT_EQ(WindowHarness::namesIn(root / "SubDir"), Names{"inner.txt"});
    // Every file still holds what it held: its first name.
    for (const auto &[now, was] : std::vector<std::pair<const char *, const char *>>{
             {"MIXED.TXT", "MixEd.txt"}, {"ＡＢＣ.TXT", "ａｂｃ.txt"}, {"x.txt", "x.txt"}, {"X.TXT", "X.TXT"}})
        EXPECT_EQ(testing_support::contentOf(root / now), was) << now;

    harness.convert(false);
    EXPECT_EQ(WindowHarness::namesIn(root), (Names{"mixed.txt", "0123", "漢字かな.txt", "ａｂｃ.txt", "straße.txt", ".hidden",
                                                  "x.txt", "X.TXT", kShiftJisName, kChanceName, "SubDir"}));
    EXPECT_EQ(testing_support::contentOf(root / "mixed.txt"), "MixEd.txt");
    EXPECT_EQ(testing_support::contentOf(root / "X.TXT"), "X.TXT");
    EXPECT_EQ(testing_support::contentOf(root / kShiftJisName), kShiftJisName);

    // The list shows the new names, sorted without regard to case.
    const auto &entries = harness.control<controls::FileList>("File1")->entries();
    ASSERT_EQ(entries.size(), 9u);
    EXPECT_EQ(entries.front(), "0123");

    // Each run: the question, then one box naming what was left and why.
    ASSERT_EQ(harness.fake.shown.size(), 4u);
    const QString question = harness.fake.shown[0].prompt;
    EXPECT_EQ(question, QString::fromStdString(root.string()) + QStringLiteral("\r\rﾃﾞｨﾚｸﾄﾘ配下のﾌｧｲﾙ名を変更しますか？"));
    EXPECT_EQ(harness.fake.shown[0].buttons, controls::Buttons::YesNo);
    const QString report = harness.fake.shown[1].prompt;
    EXPECT_TRUE(report.contains(QStringLiteral("x.txt … X.TXT という名前が既にあります"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("名前の文字コードが正しくありません"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("ı.txt … Shift_JIS の名前かもしれないので"))) << report.toStdString();
    EXPECT_TRUE(harness.fake.shown[3].prompt.contains(QStringLiteral("X.TXT … x.txt という名前が既にあります")));
}

TEST(ConversionRun, AnsweringNoChangesNothingEvenWithAnEmptyLabel)
{
    WindowHarness harness([](const auto &folder) { folder.file("Abc.txt"); });
    harness.convert(true, controls::Answer::No);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), Names{"Abc.txt"});

    harness.control<controls::PathLabel>("Label1")->setPath("");
    harness.convert(true, controls::Answer::No);
    EXPECT_EQ(harness.fake.shown.size(), 2u);

    harness.control<controls::PathLabel>("Label1")->setPath("   ");
    harness.convert(true, controls::Answer::Yes);
    ASSERT_EQ(harness.fake.shown.size(), 4u);
    EXPECT_EQ(harness.fake.shown[3].prompt, QStringLiteral("ディレクトリを選択してください"));
    EXPECT_EQ(harness.fake.shown[3].buttons, controls::Buttons::Ok);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), Names{"Abc.txt"});
}

TEST(ConversionRun, WorksOnTheLabelsFolderWhateverTheWorkingFolder)
{
    WindowHarness harness([](const auto &folder) {
        folder.file("Here.txt");
        folder.file("elsewhere/Other.txt");
    });
    harness.window();
    std::filesystem::current_path(harness.folder.path() / "elsewhere");
    harness.convert(false);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"here.txt", "elsewhere"}));
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path() / "elsewhere"), Names{"Other.txt"});
}

TEST(ConversionRun, ARefusedRenameStopsTheRunSaysWhyAndRefreshesTheList)
{
    WindowHarness harness([](const auto &folder) {
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            folder.file(name);
    });
    harness.window();
    // The file goes away after the list showed it: its rename is refused for real.
    std::filesystem::remove(harness.folder.path() / "b.txt");
    harness.convert(true);

    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"A.TXT", "c.txt"}));
    ASSERT_EQ(harness.fake.shown.size(), 2u);
    const QString told = harness.fake.shown[1].prompt;
    EXPECT_TRUE(told.startsWith(QStringLiteral("b.txt の名前を変更できなかったので、ここで止めました。"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("ファイルまたはフォルダが見つかりません"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("それまでに 1 個のファイル名を変更しました。"))) << told.toStdString();
    const auto &entries = harness.control<controls::FileList>("File1")->entries();
    EXPECT_EQ(entries, (std::vector<std::filesystem::path>{"A.TXT", "c.txt"}));
}

// A name too long in its new case, and a listed file that a folder replaced after
// the list showed it: each is left with its reason, the rest converts, and no box
// says anything false about the drive.
TEST(ConversionRun, LeavesWhatCannotBeRenamedAndConvertsTheRest)
{
    std::string turned;
    for (int i = 0; i < 120; ++i)
        turned += "\u0250"; // ɐ grows from two bytes to three in upper case: 364 bytes in all
    WindowHarness harness([&](const auto &folder) {
        for (const std::string &name : {turned + ".txt", std::string("became-a-folder.txt"), std::string("plain.txt")})
            folder.file(name);
    });
    harness.window();
    std::filesystem::remove(harness.folder.path() / "became-a-folder.txt");
    harness.folder.folder("became-a-folder.txt/inside");
    harness.convert(true);

    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{turned + ".txt", "became-a-folder.txt", "PLAIN.TXT"}));
    ASSERT_EQ(harness.fake.shown.size(), 2u) << harness.fake.shown.back().prompt.toStdString();
    const QString report = harness.fake.shown[1].prompt;
    EXPECT_TRUE(report.startsWith(QStringLiteral("次の 2 個のファイルは、名前を変更しませんでした。"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("became-a-folder.txt … 一覧を表示した後で、ファイルではなくなっています")));
    EXPECT_TRUE(report.contains(QStringLiteral(".txt … 新しい名前はこのドライブには長すぎます")));
}

TEST(ConversionRun, AFolderThatCannotBeEnteredRenamesNothing)
{
    WindowHarness harness([](const auto &folder) { folder.file("gone/Abc.txt"); });
    std::filesystem::current_path(harness.folder.path() / "gone");
    harness.window();
    std::filesystem::current_path(harness.folder.path());
    std::filesystem::rename(harness.folder.path() / "gone", harness.folder.path() / "moved");
    harness.convert(true);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path() / "moved"), Names{"Abc.txt"});
    ASSERT_EQ(harness.fake.shown.size(), 2u);
    EXPECT_TRUE(harness.fake.shown[1].prompt.contains(QStringLiteral("に移動できませんでした。ファイル名は変更していません。")));
}

// The question goes to `question`; the harness still records and answers the other boxes.
void askThrough(WindowHarness &harness, const decltype(controls::Services::message) &question)
{
    harness.fake.services.message = [recorded = harness.fake.services.message, question](
                                        QWidget *parent, const QString &prompt, controls::Buttons buttons,
                                        const QString &details) {
        return (buttons == controls::Buttons::YesNo ? question : recorded)(parent, prompt, buttons, details);
    };
}

// A Yes runs the plan the question showed: a file that came in while the user
// read it is neither renamed nor replaced.
TEST(ConversionRun, TheQuestionShowsThePlanThatYesRuns)
{
    WindowHarness harness([](const auto &folder) {
        for (const char *name : {"Abc.txt", "DONE.TXT", "zed.txt"})
            folder.file(name);
    });
    QString shown;
    askThrough(harness, [&](QWidget *, const QString &, controls::Buttons, const QString &details) {
        shown = details;
        harness.folder.file("ZED.TXT");
        harness.folder.file("New.txt");
        return controls::Answer::Yes;
    });
    harness.click("Command1");

    ASSERT_EQ(harness.fake.shown.size(), 1u);
    EXPECT_EQ(shown, QStringLiteral("2 個のファイル名を変更します。\r1 個のファイルは、既に大文字です。\r"
                                    "\rAbc.txt → ABC.TXT\rzed.txt → ZED.TXT"));
    EXPECT_TRUE(harness.fake.shown[0].prompt.startsWith(QStringLiteral("zed.txt の名前を変更できなかったので")))
        << harness.fake.shown[0].prompt.toStdString();
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"ABC.TXT", "DONE.TXT", "zed.txt", "ZED.TXT", "New.txt"}));
    EXPECT_EQ(testing_support::contentOf(harness.folder.path() / "ZED.TXT"), "ZED.TXT");
}

// The real box: the question as it always was, and the plan behind Qt's own
// details button, in Japanese, closed until asked for.
TEST(ConversionRun, TheRealQuestionOpensThePlanOnRequest)
{
    WindowHarness harness([](const auto &folder) {
        for (const char *name : {"ReadMe.Txt", "x.txt", "X.TXT"})
            folder.file(name);
    });
    askThrough(harness, controls::showMessage);
    QString question, caption, opened;
    bool closedFirst = false;
    const auto answer = [&](QMessageBox *box) {
        question = box->text();
        auto *details = box->findChild<QTextEdit *>();
        const QList<QAbstractButton *> buttons = box->buttons(); // はい, いいえ, then the details'
        ASSERT_NE(details, nullptr);
        ASSERT_EQ(buttons.size(), 3);
        closedFirst = !details->isVisible();
        caption = buttons[2]->text();
        QTest::mouseClick(buttons[2], Qt::LeftButton);
        if (details->isVisible())
            opened = details->toPlainText();
        QTest::mouseClick(buttons[0], Qt::LeftButton);
    };
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        answer(box);
        if (box->isVisible()) {
            ADD_FAILURE() << "the question is still open";
            box->done(0);
        }
    });
    harness.click("Command1");

    EXPECT_EQ(question, QString::fromStdString(harness.folder.path().string())
                            + QStringLiteral("\n\nﾃﾞｨﾚｸﾄﾘ配下のﾌｧｲﾙ名を変更しますか？"));
    EXPECT_TRUE(closedFirst);
    EXPECT_EQ(caption, QCoreApplication::translate("QMessageBox", "Show Details..."));
    EXPECT_NE(caption, QStringLiteral("Show Details..."));
    EXPECT_EQ(opened, QStringLiteral("1 個のファイル名を変更します。\n1 個のファイルは、名前を変更しません。\n"
                                     "1 個のファイルは、既に大文字です。\n\nReadMe.Txt → README.TXT\n"
                                     "x.txt … X.TXT という名前が既にあります"));
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"README.TXT", "x.txt", "X.TXT"}));
}

TEST(ConversionRun, ALongRunShowsItsProgressModallyAndTheCaseCannotChange)
{
    WindowHarness harness([](const auto &folder) {
        for (const char *name : {"a.txt", "b.txt", "c.txt"})
            folder.file(name);
    });
    harness.fake.services.progressAfterMs = 0; // every run counts as long here
    harness.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&harness.window()));
    QString seen;
    int bar = -1;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        seen = modal->findChild<QLabel *>()->text();
        bar = modal->findChild<QProgressBar *>()->maximum();
        // A click through the window system, as a user's: modality is kept there.
        auto *option2 = harness.control<QRadioButton>("Option2");
        QTest::mouseClick(harness.window().windowHandle(), Qt::LeftButton, {},
                          option2->mapTo(&harness.window(), option2->rect().center()));
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    harness.convert(true);
    EXPECT_EQ(seen, QStringLiteral("ファイル名を変更しています： 0 / 3\na.txt"));
    EXPECT_EQ(bar, 3);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"A.TXT", "B.TXT", "C.TXT"}));
    EXPECT_TRUE(harness.control<QRadioButton>("Option1")->isChecked());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
