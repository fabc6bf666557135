// Tests of what screen reader and keyboard users meet: the names a screen
// reader says, the folder list's focus frame, and the file list's tips.
#include "support/window_harness.h"
#include "system/paths.h"

#include <QAccessible>
#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QToolTip>

namespace {

using testing_support::WindowHarness;

void showActive(MOJIK &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// What a screen reader calls a control: the label it is labelled by, where it
// has one, else its own name.
std::string spokenName(QWidget *control)
{
    QAccessibleInterface *access = QAccessible::queryAccessibleInterface(control);
    const auto labels = access->relations(QAccessible::Label);
    return (labels.isEmpty() ? access : labels.first().first)->text(QAccessible::Name).toStdString();
}

TEST(Access, AScreenReaderSaysAJapaneseNameForEachListAndTheLabel)
{
    WindowHarness harness;
    for (const auto &[control, name] : {std::pair{"Drive1", "ドライブ一覧"}, {"Dir1", "フォルダー一覧"},
                                        {"File1", "ファイル一覧"}, {"Label1", "選択中のフォルダー"}})
        EXPECT_EQ(spokenName(harness.control<QWidget>(control)), name) << control;
    // The label's folder is still told, after its name.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(harness.control<QWidget>("Label1"))->text(QAccessible::Description).toStdString(),
              harness.folder.path().string());
}

TEST(Access, TheFolderListStandsInAHighlightedFrameWhileItHasTheFocus)
{
    WindowHarness harness;
    MOJIK &window = harness.window();
    showActive(window);
    QWidget *dir1 = harness.control<QWidget>("Dir1");
    const QPoint beside(dir1->x() - 1, dir1->y() + dir1->height() / 2); // just outside the list's own border
    const QColor highlight = dir1->palette().color(QPalette::Highlight);
    const auto colourBeside = [&] { return window.centralWidget()->grab().toImage().pixelColor(beside); };

    EXPECT_NE(colourBeside(), highlight);
    harness.control<QWidget>("Drive1")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), dir1);
    EXPECT_EQ(colourBeside(), highlight);
    QTest::keyClick(dir1, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), harness.control<QWidget>("File1"));
    EXPECT_NE(colourBeside(), highlight);
    window.close();
}

TEST(Access, TheFileListTellsTheWholeNameWhereItCutsOneOff)
{
    const std::string longName = "令和6年度_第3四半期_売上報告書_最終版.xlsx";
    WindowHarness harness([&](const auto &folder) {
        folder.file("a.txt");
        folder.file(sys::pathFromBytes(longName)); // as UTF-8, which a path made of a string is not on Windows
    });
    MOJIK &window = harness.window();
    showActive(window);
    auto *file1 = harness.control<controls::FileList>("File1");
    // a.txt is shown whole and has no tip.
    for (const auto &[row, tip] : {std::pair<int, std::string>{0, ""}, {1, longName}}) {
        const QPoint at = file1->visualRect(file1->model()->index(row, 0)).center();
        QHelpEvent help(QEvent::ToolTip, at, file1->viewport()->mapToGlobal(at));
        QApplication::sendEvent(file1->viewport(), &help);
        EXPECT_EQ(QToolTip::text().toStdString(), tip) << row;
    }
    QToolTip::hideText();
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
    window.close();
}

} // namespace
