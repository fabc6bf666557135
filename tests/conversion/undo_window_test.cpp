// Tests of the window's side of the journal: Ctrl+Z takes the last run back,
// 中止 stops a long run, and a journal that cannot be written stops a run
// before anything is renamed.
#include "conversion/ctrl_z.h"

#include "conversion/journal_store.h"
#include "system/paths.h"
#include "text/names.h"

#include <QTimer>

namespace {

using testing_support::pressCtrlZ;
using testing_support::WindowHarness;
using Names = std::set<std::filesystem::path>;

TEST(UndoWindow, CtrlZAsksAndGivesBackEveryName)
{
    const Names before{u8"MixEd.txt", u8"0123", u8"ａｂｃ.txt", u8"x.txt", u8"Sub"};
    WindowHarness harness([&](const auto &folder) {
        for (const auto &name : before)
            name == "Sub" ? (void)folder.folder(name) : (void)folder.file(name);
    });
    harness.convert(true);
    ASSERT_EQ(WindowHarness::namesIn(harness.folder.path()),
              (Names{u8"MIXED.TXT", u8"0123", u8"ＡＢＣ.TXT", u8"X.TXT", u8"Sub"}));

    harness.fake.answers.push_back(controls::Answer::Yes);
    pressCtrlZ(harness);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), before);
    for (const std::filesystem::path name : {u8"MixEd.txt", u8"ａｂｃ.txt", u8"x.txt"})
        EXPECT_EQ(testing_support::contentOf(harness.folder.path() / name), sys::pathBytes(name)) << name;
    const testing_support::Shown &question = harness.fake.shown.at(1); // after the run's own
    EXPECT_EQ(question.buttons, controls::Buttons::YesNo);
    EXPECT_TRUE(question.prompt.contains(QStringLiteral("直前のファイル名の変換を元に戻しますか？\r3 個のファイル名が元に戻ります。")))
        << question.prompt.toStdString();
}

TEST(UndoWindow, StopEndsALongRunBetweenTwoRenamesAndItCanBeTakenBack)
{
    WindowHarness harness([](const auto &folder) {
        for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt"})
            folder.file(name);
    });
    harness.fake.services.progressAfterMs = 0;
    harness.fake.services.progressEveryMs = 0; // the window looks at 中止 before every rename here
    harness.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&harness.window()));
    // Tied to the window, so that it cannot go on into a later test should this one fail before it.
    // The folder's own spelling tells a renamed file: where case is folded, a.txt answers to A.TXT too.
    std::function<void()> stopOnceOneIsDone = [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && WindowHarness::namesIn(harness.folder.path()).count("A.TXT"))
            QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("stop")), Qt::LeftButton);
        else
            QTimer::singleShot(0, &harness.window(), stopOnceOneIsDone);
    };
    QTimer::singleShot(0, &harness.window(), stopOnceOneIsDone);
    harness.convert(true);

    const Names now = WindowHarness::namesIn(harness.folder.path());
    EXPECT_TRUE(now.count("A.TXT"));
    EXPECT_TRUE(now.count("d.txt")) << "the run went on to the end";
    const auto renamed = std::count_if(now.begin(), now.end(), [](const auto &name) { return text::displayName(name) == text::displayName(name).toUpper(); });
    ASSERT_EQ(harness.fake.shown.size(), 2u);
    EXPECT_EQ(harness.fake.shown[1].prompt,
              QStringLiteral("中止しました。%1 個のファイル名を変更しました。\rCtrl+Z で元に戻せます。").arg(renamed));

    harness.fake.answers.push_back(controls::Answer::Yes);
    pressCtrlZ(harness);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"a.txt", "b.txt", "c.txt", "d.txt"}));
}

TEST(UndoWindow, AJournalThatCannotBeWrittenStopsTheRunBeforeAnyRename)
{
    WindowHarness harness([](const auto &folder) {
        folder.file("Abc.txt");
        folder.file("not-a-folder", "x");
    });
    const char *const home = conversion::JournalStore::kHomeVariable;
    const QByteArray state = qgetenv(home);
    qputenv(home, text::displayName(harness.folder.path() / "not-a-folder").toUtf8());
    harness.convert(true);
    qputenv(home, state);

    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"Abc.txt", "not-a-folder"}));
    ASSERT_EQ(harness.fake.shown.size(), 2u);
    EXPECT_TRUE(harness.fake.shown[1].prompt.startsWith(QStringLiteral("元に戻すための履歴を")));
    EXPECT_TRUE(harness.fake.shown[1].prompt.contains(QStringLiteral("ファイル名は変更していません。")));
}

} // namespace
