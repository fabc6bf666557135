// Tests of the help menu and the four boxes it opens.
#include "support/window_harness.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

using testing_support::WindowHarness;

TEST(InfoBoxes, HelpMenuHoldsTheFourItemsInOrder)
{
    WindowHarness harness;
    const QList<QAction *> menus = harness.window().menuBar()->actions();
    ASSERT_EQ(menus.size(), 2); // the conversions' menu, then the help
    QMenu *help = menus.last()->menu();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->objectName(), QStringLiteral("help"));
    EXPECT_EQ(help->title(), QStringLiteral("help"));

    const QStringList expected = {QStringLiteral("pgm"), QStringLiteral("プログラムの説明"), QStringLiteral("maker"),
                                  QStringLiteral("作者紹介"), QStringLiteral("makekiki"), QStringLiteral("開発環境"),
                                  QStringLiteral("about"), QStringLiteral("プログラムのバージョン")};
    QStringList items;
    for (const QAction *item : help->actions())
        items << item->objectName() << item->text();
    EXPECT_EQ(items, expected);
}

TEST(InfoBoxes, EachItemShowsItsTextInOneOkBox)
{
    const struct {
        const char *item;
        QString text;
    } boxes[] = {
        {"pgm", QStringLiteral("ディレクトリ中のファイル名を改名します。全て大文字かもしくは、すべて小文字に変換します。"
                               "ＷＩＮ９５や、ＮＴ４においてファイルを管理する場合にファイル名のばらつきを統一します。"
                               "エクスプローラーでファイル名を見ても１ファイルづつプロファイルを見ない限り本当の名前は、"
                               "分かりません。このツールを使う以外に本当のファイル名を見るには、ＤＯＳ窓にてｄｉｒコマンドを"
                               "使用すれば見る事ができます。通常ＭＳ－ＤＯＳは、大文字を使用しています。"
                               "管理ツールとしてはもってこいです。")},
        {"maker", QStringLiteral("作者紹介：\r"
                                 "私たちはファイルを整理するための小さな道具を作っている少人数のチームです。"
                                 "一度に多くのファイルを扱う道具だからこそ、どのファイルも失われないことを何より大切にしています。"
                                 "ご意見やご感想をお寄せいただければ幸いです。\r\r"
                                 "作者ハンドル： MOJIK開発チーム (mojik@example.org)")},
        {"makekiki", QStringLiteral("開発環境：\r"
                                    "CPUはAMD EPYC（2コア）、メモリは24GBのマシンで、OSはDebian GNU/Linux 12.11 (bookworm)、"
                                    "開発ツールはGCC 12.2.0、Qt 6.4.2、CMake 3.25.1を使用しています。")},
        {"about", QStringLiteral("MOJIK.EXE      Ver 1.04\r\r最終更新日:1998/10/13")},
    };
    for (const auto &box : boxes) {
        WindowHarness harness;
        QAction *item = harness.control<QAction>(box.item);
        ASSERT_NE(item, nullptr);
        item->trigger();
        ASSERT_EQ(harness.fake.shown.size(), 1u) << box.item;
        EXPECT_EQ(harness.fake.shown[0].buttons, controls::Buttons::Ok) << box.item;
        EXPECT_EQ(harness.fake.shown[0].prompt, box.text) << box.item;
    }
}

} // namespace
