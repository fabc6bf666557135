// Tests of the window as it opens: its controls, places, captions and first values.
#include "support/window_harness.h"

#include "controls/drive_list.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

using testing_support::WindowHarness;

TEST(Window, ControlsStandAtTheirPlacesInKeyboardOrder)
{
    WindowHarness harness;
    MOJIK &window = harness.window();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ファイル名の大／小文字一括変換ツール"));
    EXPECT_EQ(window.centralWidget()->size(), QSize(469, 239));
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());

    const struct {
        const char *name;
        QRect place; // in twips, as drawn
    } controls[] = {
        {"Option1", {120, 2880, 2175, 255}}, {"Option2", {120, 3240, 2175, 255}}, {"Drive1", {120, 360, 3375, 300}},
        {"Dir1", {120, 720, 4455, 1980}},    {"File1", {4680, 360, 2295, 3090}},   {"Command1", {3600, 3120, 975, 375}},
        {"Label1", {120, 0, 6855, 255}},     {"Command2", {2280, 3120, 1095, 375}}, {"Command3", {3600, 380, 975, 255}},
    };
    for (const auto &c : controls) {
        const QWidget *control = harness.control<QWidget>(c.name);
        ASSERT_NE(control, nullptr);
        const QRect px(c.place.x() / 15, c.place.y() / 15, c.place.width() / 15, c.place.height() / 15);
        EXPECT_EQ(control->geometry(), px) << c.name;
    }

    // Tab goes through the controls in the table's order; the label takes no focus.
    const char *order[] = {"Option1", "Option2", "Drive1", "Dir1", "File1", "Command1", "Command2", "Command3"};
    QWidget *at = harness.control<QWidget>(order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        at = at->nextInFocusChain();
        while (at->focusPolicy() == Qt::NoFocus || !at->isVisibleTo(&window) || at->focusProxy())
            at = at->nextInFocusChain();
        EXPECT_EQ(at->objectName(), QString::fromLatin1(order[i]));
    }
}

TEST(Window, OpensOnTheWorkingFolderWithUpperCaseChosenAndFocused)
{
    WindowHarness harness([](const auto &folder) {
        folder.file("b.txt");
        folder.file("A.txt");
        folder.file(".hidden");
        folder.folder("sub");
    });
    MOJIK &window = harness.window();
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    const auto start = harness.folder.path();
    EXPECT_EQ(harness.control<controls::PathLabel>("Label1")->path(), start);
    EXPECT_EQ(harness.control<controls::PathLabel>("Label1")->text(), QString::fromStdString(start.string()));
    EXPECT_EQ(harness.control<controls::FolderList>("Dir1")->path(), start);
    EXPECT_EQ(harness.control<controls::FileList>("File1")->entries(), (std::vector<std::filesystem::path>{"A.txt", "b.txt"}));
    EXPECT_EQ(harness.control<controls::DriveList>("Drive1")->drive(), start.root_path());
    EXPECT_TRUE(harness.control<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(harness.control<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), harness.control<QWidget>("Option1"));

    // Choosing lower case runs nothing; Enter and Esc press no button.
    QTest::mouseClick(harness.control<QRadioButton>("Option2"), Qt::LeftButton);
    EXPECT_FALSE(harness.control<QRadioButton>("Option1")->isChecked());
    QTest::keyClick(&window, Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(harness.fake.shown.empty());
    window.close();
}

TEST(Window, EveryCaptionFitsItsControlInTheJapaneseFont)
{
    WindowHarness harness;
    MOJIK &window = harness.window();
    const QFontInfo font(window.font());
    EXPECT_EQ(window.font().pointSize(), 9);
    EXPECT_TRUE(QFontDatabase::families(QFontDatabase::Japanese).contains(font.family())) << font.family().toStdString();

    for (const char *name : {"Option1", "Option2"}) {
        auto *option = harness.control<QRadioButton>(name);
        EXPECT_LE(option->sizeHint().width(), option->width()) << name;
        EXPECT_LE(QFontMetrics(option->font()).height(), option->height()) << name;
    }
    for (const char *name : {"Command1", "Command2", "Command3"}) {
        auto *button = harness.control<QPushButton>(name);
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect text = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QFontMetrics metrics(button->font());
        EXPECT_LE(metrics.horizontalAdvance(button->text()), text.width()) << name;
        EXPECT_LE(metrics.height(), button->height()) << name;
    }
    EXPECT_EQ(harness.control<QPushButton>("Command1")->text(), QStringLiteral("実\u3000行"));
    EXPECT_EQ(harness.control<QPushButton>("Command3")->text(), QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ"));
    for (const char *name : {"Command1", "Command2", "Command3"}) {
        EXPECT_FALSE(harness.control<QPushButton>(name)->isDefault()) << name;
        EXPECT_FALSE(harness.control<QPushButton>(name)->autoDefault()) << name;
    }
}

TEST(Window, BothListsFillRightAfterTheWindowFirstShows)
{
    testing_support::TempFolder folder;
    for (const char *name : {"b.txt", "A.txt"})
        folder.file(name);
    folder.folder("Sub");
    std::filesystem::current_path(folder.path());
    testing_support::FakeServices fake;
    MOJIK window(fake.services);
    auto *file1 = window.findChild<controls::FileList *>(QStringLiteral("File1"));
    auto *dir1 = window.findChild<controls::FolderList *>(QStringLiteral("Dir1"));
    // Nothing read before the window shows but the folder's place: its ancestors.
    EXPECT_EQ(file1->model()->rowCount(), 0);
    const int ancestors = dir1->count();
    EXPECT_EQ(dir1->currentRow(), ancestors - 1);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(QTest::qWaitFor([&] { return file1->model()->rowCount() == 2 && dir1->count() == ancestors + 1; }));
    EXPECT_EQ(file1->model()->index(0, 0).data().toString(), QStringLiteral("A.txt"));
    EXPECT_EQ(dir1->item(ancestors)->text(), QStringLiteral("Sub"));
    EXPECT_EQ(dir1->currentRow(), ancestors - 1); // still the folder itself
}

} // namespace
