// Tests of the window on Shift_JIS names, which only POSIX systems hold: shown as
// their text, and converted to UTF-8 from the 変換 menu and back with Ctrl+Z.
#include "conversion/ctrl_z.h"

#include <QAction>

namespace {

using testing_support::WindowHarness;
using Names = std::set<std::filesystem::path>;

TEST(ConvertMenu, ShiftJisNamesShowAsTheirTextAndTheUtf8ItemConvertsThem)
{
    const Names before{"\x83\x41\x83\x43.txt", "\xBC\xAC\xBC\xDD.jpg", "readme.txt"}; // アイ.txt, ｼｬｼﾝ.jpg
    WindowHarness harness([&](const auto &folder) {
        for (const auto &name : before)
            folder.file(name);
    });
    auto *file1 = harness.control<controls::FileList>("File1");
    QStringList rows;
    for (int row = 0; row < file1->model()->rowCount(); ++row)
        rows << file1->model()->index(row, 0).data().toString();
    EXPECT_EQ(rows, (QStringList{QStringLiteral("readme.txt"), QStringLiteral("アイ.txt"), QStringLiteral("ｼｬｼﾝ.jpg")}));

    harness.fake.answers.push_back(controls::Answer::Yes);
    harness.window().findChild<QAction *>(QStringLiteral("utf8"))->trigger();
    ASSERT_GE(harness.fake.shown.size(), 1u);
    const QString &details = harness.fake.shown[0].details;
    EXPECT_TRUE(details.contains(QStringLiteral("\rアイ.txt → アイ.txt"))) << details.toStdString();
    EXPECT_TRUE(details.contains(QStringLiteral("\rｼｬｼﾝ.jpg → ｼｬｼﾝ.jpg"))) << details.toStdString();
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), (Names{u8"アイ.txt", u8"ｼｬｼﾝ.jpg", "readme.txt"}));

    harness.fake.answers.push_back(controls::Answer::Yes);
    testing_support::pressCtrlZ(harness);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), before);
    for (const auto &name : before)
        EXPECT_EQ(testing_support::contentOf(harness.folder.path() / name), name.native());
}

} // namespace
