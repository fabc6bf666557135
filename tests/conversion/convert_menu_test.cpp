// Tests of the 変換 menu: its place and items, and an item's run through the
// same question, details and Ctrl+Z as 実　行's.
#include "conversion/ctrl_z.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

using testing_support::WindowHarness;
using Names = std::set<std::filesystem::path>;

TEST(ConvertMenu, StandsBeforeTheHelpWithOneItemAConversionAndKeepsTheWindowsSize)
{
    WindowHarness harness;
    MOJIK &window = harness.window();
    const QList<QAction *> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->menu()->objectName(), QStringLiteral("convert"));
    EXPECT_EQ(menus[0]->text(), QStringLiteral("変換(&C)"));
    EXPECT_EQ(menus[1]->menu()->objectName(), QStringLiteral("help"));
    QStringList items;
    for (const QAction *item : menus[0]->menu()->actions())
        items << item->objectName() << item->text();
    EXPECT_EQ(items, (QStringList{QStringLiteral("utf8"), QStringLiteral("Shift_JIS の名前を UTF-8 に"),
                                  QStringLiteral("compose"), QStringLiteral("Mac で分かれた濁点を結合"),
                                  QStringLiteral("narrow"), QStringLiteral("全角英数字を半角に"),
                                  QStringLiteral("wideKana"), QStringLiteral("半角カナを全角に")}));

    // The bar is as high as with the help menu alone, and the form as large as it was drawn.
    QMenuBar helpAlone;
    helpAlone.setFont(window.menuBar()->font());
    helpAlone.addMenu(QStringLiteral("help"));
    EXPECT_EQ(window.menuBar()->sizeHint().height(), helpAlone.sizeHint().height());
    EXPECT_EQ(window.size(), QSize(469, 239 + window.menuBar()->sizeHint().height()));
}

TEST(ConvertMenu, AnItemAsksWithThePlanRunsAndCtrlZTakesItBack)
{
    const Names before{u8"ＩＭＧ＿０００１.ＪＰＧ", u8"ｼｬｼﾝ.jpg", u8"DSC.jpg", u8"ＡＢＣ.txt", u8"ABC.txt"};
    WindowHarness harness([&](const auto &folder) {
        for (const auto &name : before)
            folder.file(name);
    });
    const auto itemOf = [&](const char *name) {
        return harness.window().findChild<QAction *>(QString::fromLatin1(name));
    };

    harness.fake.answers.push_back(controls::Answer::Yes);
    itemOf("narrow")->trigger();
    ASSERT_GE(harness.fake.shown.size(), 1u);
    const testing_support::Shown &question = harness.fake.shown[0];
    EXPECT_EQ(question.buttons, controls::Buttons::YesNo);
    EXPECT_TRUE(question.prompt.endsWith(QStringLiteral("ﾃﾞｨﾚｸﾄﾘ配下のﾌｧｲﾙ名を変更しますか？"))) << question.prompt.toStdString();
    EXPECT_EQ(question.details, QStringLiteral("1 個のファイル名を変更します。\r1 個のファイルは、名前を変更しません。"
                                               "\r3 個のファイルは、変換しても名前が変わりません。\r"
                                               "\rＡＢＣ.txt … ABC.txt という名前が既にあります"
                                               "\rＩＭＧ＿０００１.ＪＰＧ → IMG_0001.JPG"));
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()),
              (Names{u8"IMG_0001.JPG", u8"ｼｬｼﾝ.jpg", u8"DSC.jpg", u8"ＡＢＣ.txt", u8"ABC.txt"}));

    harness.fake.answers.push_back(controls::Answer::Yes);
    itemOf("wideKana")->trigger();
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()),
              (Names{u8"IMG_0001.JPG", u8"シャシン.jpg", u8"DSC.jpg", u8"ＡＢＣ.txt", u8"ABC.txt"}));

    // Each run is taken back on its own, the last first.
    harness.fake.answers.push_back(controls::Answer::Yes);
    testing_support::pressCtrlZ(harness);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()),
              (Names{u8"IMG_0001.JPG", u8"ｼｬｼﾝ.jpg", u8"DSC.jpg", u8"ＡＢＣ.txt", u8"ABC.txt"}));
    harness.fake.answers.push_back(controls::Answer::Yes);
    testing_support::pressCtrlZ(harness);
    EXPECT_EQ(WindowHarness::namesIn(harness.folder.path()), before);
}

} // namespace
