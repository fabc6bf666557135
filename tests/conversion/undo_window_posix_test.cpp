// Tests of Ctrl+Z through the window with what only POSIX systems hold: names
// that differ in case alone and names that are bytes rather than text.
#include "conversion/ctrl_z.h"

namespace {

using testing_support::pressCtrlZ;
using testing_support::WindowHarness;
using Names = std::set<std::filesystem::path>;

const std::string kShiftJisName = "\x83\x41\x83\x58.txt"; // アス.txt in Shift_JIS bytes

TEST(UndoWindow, CtrlZGivesBackNamesDifferingInCaseAloneAndNamesThatAreNotTextByteForByte)
{
    const Names before{"MixEd.txt", "0123", "ａｂｃ.txt", "x.txt", "X.TXT", ".Hidden", kShiftJisName, "Sub"};
    WindowHarness harness([&](const auto &folder) {
        for (const auto &name : before)
            name == "Sub" ? (void)folder.folder(name) : (void)folder.file(name);
    });
    harness.convert(true);
    ASSERT_NE(WindowHarness::namesIn(harness.folder.path()), before);

    harness.fake.answers.push_back(controls::Answer::Yes);
    pressCtrlZ(harness);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), before);
    for (const auto &name : {"MixEd.txt", "ａｂｃ.txt"})
        EXPECT_EQ(testing_support::contentOf(harness.folder.path() / name), name);
    const testing_support::Shown &question = harness.fake.shown.at(2);
    EXPECT_EQ(question.buttons, controls::Buttons::YesNo);
    EXPECT_TRUE(question.prompt.contains(QStringLiteral("直前のファイル名の変換を元に戻しますか？\r2 個のファイル名が元に戻ります。")))
        << question.prompt.toStdString();
    const auto &listed = harness.control<controls::FileList>("File1")->entries();
    EXPECT_EQ(listed.front(), "0123");
    EXPECT_TRUE(std::count(listed.begin(), listed.end(), "MixEd.txt"));

    // Nothing is left to take back: the box says so and changes nothing.
    pressCtrlZ(harness);
    EXPECT_TRUE(harness.fake.shown.back().prompt.endsWith(QStringLiteral("このディレクトリには、元に戻せる変換がありません。")));
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), before);
}

} // namespace
