// Tests of the conversion run through the real window: the confirmation, the
// renames, what is left alone and what the user is told.
#include "conversion/questions.h"

#include "system/paths.h"

#include <QLabel>
#include <QProgressBar>

namespace {

using testing_support::WindowHarness;
using Names = std::set<std::filesystem::path>;
using testing_support::askThrough;

// Names of text in several scripts, which every system holds as they are.
void fillText(const testing_support::TempFolder &folder)
{
    for (const char8_t *name : {u8"MixEd.txt", u8"0123", u8"漢字かな.txt", u8"ａｂｃ.txt", u8"straße.txt", u8"x.txt"})
        folder.file(name);
    folder.file("SubDir/inner.txt");
}

TEST(ConversionRun, UpperThenLowerGivesTheRuleNamesAndKeepsEveryContent)
{
    WindowHarness harness(fillText);
    const auto &root = harness.folder.path();

    harness.convert(true);
    EXPECT_EQ(WindowHarness::namesIn(root), (Names{u8"MIXED.TXT", u8"0123", u8"漢字かな.TXT", u8"ＡＢＣ.TXT", u8"STRAßE.TXT",
                                                  u8"X.TXT", u8"SubDir"}));
    EXPECT_EQ(WindowHarness::namesIn(root / "SubDir"), Names{"inner.txt"});
    // Every file still holds what it held: its first name.
    for (const auto &[now, was] : std::vector<std::pair<std::filesystem::path, std::filesystem::path>>{
             {u8"MIXED.TXT", u8"MixEd.txt"}, {u8"ＡＢＣ.TXT", u8"ａｂｃ.txt"}, {u8"X.TXT", u8"x.txt"}})
        EXPECT_EQ(testing_support::contentOf(root / now), sys::pathBytes(was)) << now;

    harness.convert(false);
    EXPECT_EQ(WindowHarness::namesIn(root), (Names{u8"mixed.txt", u8"0123", u8"漢字かな.txt", u8"ａｂｃ.txt", u8"straße.txt",
                                                  u8"x.txt", u8"SubDir"}));
    EXPECT_EQ(testing_support::contentOf(root / "mixed.txt"), "MixEd.txt");
    EXPECT_EQ(testing_support::contentOf(root / "x.txt"), "x.txt");
    // Each run: the question alone, for nothing was left.
    EXPECT_EQ(harness.fake.shown.size(), 2u) << harness.fake.shown.back().prompt.toStdString();
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

// A listed file that a folder replaced after the list showed it is left with
// its reason, the rest converts, and no box says anything false about the drive.
TEST(ConversionRun, LeavesWhatCannotBeRenamedAndConvertsTheRest)
{
    WindowHarness harness([](const auto &folder) {
        for (const char *name : {"became-a-folder.txt", "plain.txt"})
            folder.file(name);
    });
    harness.window();
    std::filesystem::remove(harness.folder.path() / "became-a-folder.txt");
    harness.folder.folder("became-a-folder.txt/inside");
    harness.convert(true);

    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"became-a-folder.txt", "PLAIN.TXT"}));
    ASSERT_EQ(harness.fake.shown.size(), 2u) << harness.fake.shown.back().prompt.toStdString();
    const QString report = harness.fake.shown[1].prompt;
    EXPECT_TRUE(report.startsWith(QStringLiteral("次の 1 個のファイルは、名前を変更しませんでした。"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("became-a-folder.txt … 一覧を表示した後で、ファイルではなくなっています")));
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

// A Yes runs the plan the question showed: a file that came in while the user
// read it is not renamed.
TEST(ConversionRun, TheQuestionShowsThePlanThatYesRuns)
{
    WindowHarness harness(testing_support::fillTwoToRename);
    const QString shown = testing_support::convertWhileFilesCameIn(harness, {"New.txt"});

    EXPECT_TRUE(harness.fake.shown.empty()) << harness.fake.shown.front().prompt.toStdString();
    EXPECT_EQ(shown, QStringLiteral("2 個のファイル名を変更します。\r1 個のファイルは、既に大文字です。\r"
                                    "\rAbc.txt → ABC.TXT\rzed.txt → ZED.TXT"));
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"ABC.TXT", "DONE.TXT", "ZED.TXT", "New.txt"}));
}

// The real box: the question as it always was, and the plan behind Qt's own
// details button, in Japanese, closed until asked for.
TEST(ConversionRun, TheRealQuestionOpensThePlanOnRequest)
{
    WindowHarness harness([](const auto &folder) {
        for (const char *name : {"ReadMe.Txt", "DONE.TXT"})
            folder.file(name);
    });
    const testing_support::RealQuestion seen = testing_support::answerRealQuestion(harness);

    EXPECT_EQ(seen.question, QString::fromStdString(harness.folder.path().string())
                                 + QStringLiteral("\n\nﾃﾞｨﾚｸﾄﾘ配下のﾌｧｲﾙ名を変更しますか？"));
    EXPECT_TRUE(seen.closedFirst);
    EXPECT_EQ(seen.caption, QCoreApplication::translate("QMessageBox", "Show Details..."));
    EXPECT_NE(seen.caption, QStringLiteral("Show Details..."));
    EXPECT_EQ(seen.opened, QStringLiteral("1 個のファイル名を変更します。\n1 個のファイルは、既に大文字です。\n"
                                          "\nReadMe.Txt → README.TXT"));
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"README.TXT", "DONE.TXT"}));
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
    // Tied to the window, so that it cannot fire in a later test should this one fail before it.
    QTimer::singleShot(0, &harness.window(), [&] {
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
