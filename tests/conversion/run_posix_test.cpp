// Tests of the conversion run through the real window with what only POSIX
// systems hold: names that differ in case alone, names that are bytes rather
// than text, and names whose new case takes more bytes than the drive allows.
#include "conversion/ctrl_z.h"
#include "conversion/questions.h"

#include "conversion/journal_store.h"
#include "system/folder_lock.h"

namespace {

using testing_support::WindowHarness;
using Names = std::set<std::filesystem::path>;
using testing_support::askThrough;

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

TEST(ConversionRun, LeavesNamesDifferingInCaseAloneAndNamesThatAreNotText)
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

// A name too long in its new case, which only a file system that counts bytes
// makes, beside a listed file that a folder replaced after the list showed it:
// each is left with its reason, the rest converts, and no box says anything
// false about the drive.
TEST(ConversionRun, LeavesANameTooLongInItsNewCase)
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

// A Yes runs the plan the question showed: a file that came in while the user
// read it, under the new name of a planned rename, is neither renamed nor replaced.
TEST(ConversionRun, ANameThatCameInWhileTheQuestionWasReadIsNotReplaced)
{
    WindowHarness harness(testing_support::fillTwoToRename);
    const QString shown = testing_support::convertWhileFilesCameIn(harness, {"ZED.TXT", "New.txt"});

    ASSERT_EQ(harness.fake.shown.size(), 1u);
    EXPECT_EQ(shown, QStringLiteral("2 個のファイル名を変更します。\r1 個のファイルは、既に大文字です。\r"
                                    "\rAbc.txt → ABC.TXT\rzed.txt → ZED.TXT"));
    EXPECT_TRUE(harness.fake.shown[0].prompt.startsWith(QStringLiteral("zed.txt の名前を変更できなかったので")))
        << harness.fake.shown[0].prompt.toStdString();
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"ABC.TXT", "DONE.TXT", "zed.txt", "ZED.TXT", "New.txt"}));
    EXPECT_EQ(testing_support::contentOf(harness.folder.path() / "ZED.TXT"), "ZED.TXT");
}

// The real box lists a name left beside its plan.
TEST(ConversionRun, TheRealQuestionListsWhatIsLeft)
{
    WindowHarness harness([](const auto &folder) {
        for (const char *name : {"ReadMe.Txt", "x.txt", "X.TXT"})
            folder.file(name);
    });
    const testing_support::RealQuestion seen = testing_support::answerRealQuestion(harness);

    EXPECT_EQ(seen.question, QString::fromStdString(harness.folder.path().string())
                                 + QStringLiteral("\n\nﾃﾞｨﾚｸﾄﾘ配下のﾌｧｲﾙ名を変更しますか？"));
    EXPECT_TRUE(seen.closedFirst);
    EXPECT_EQ(seen.opened, QStringLiteral("1 個のファイル名を変更します。\n1 個のファイルは、名前を変更しません。\n"
                                          "1 個のファイルは、既に大文字です。\n\nReadMe.Txt → README.TXT\n"
                                          "x.txt … X.TXT という名前が既にあります"));
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{"README.TXT", "x.txt", "X.TXT"}));
}

// While another MOJIK holds the journals (a lock of another open file here, as
// of another process), the window neither renames nor takes back, and says why.
TEST(ConversionRun, WaitsForNoOtherMojikAndSaysItIsBusy)
{
    WindowHarness harness([](const auto &folder) { folder.file("Abc.txt"); });
    harness.convert(true);
    sys::FolderLock other;
    ASSERT_FALSE(conversion::JournalStore::standard().lock(other, false));
    const QString busy = QStringLiteral("ほかの MOJIK がファイル名を変更しています。終わってから、もう一度実行してください。");
    harness.convert(false);
    EXPECT_EQ(harness.fake.shown.back().prompt, busy);
    testing_support::pressCtrlZ(harness);
    EXPECT_EQ(harness.fake.shown.back().prompt, busy);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), Names{"ABC.TXT"});
    other.unlock();
    harness.fake.answers.push_back(controls::Answer::Yes);
    testing_support::pressCtrlZ(harness);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), Names{"Abc.txt"});
}

} // namespace
