// Tests of the drive list, the folder list, the desktop button and a dropped
// folder keeping the label, the file list and the working folder in step, on
// two volumes (folders standing in for them here, the test drives d: and e: on
// Windows); after each move a run converts that folder only.
#include "support/two_volumes.h"
#include "support/window_harness.h"

#include "text/casemap.h"
#include "text/reason.h"
#include "controls/drive_list.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

namespace {

using testing_support::WindowHarness;
using Names = std::set<std::filesystem::path>;

// Two volumes, C and D, each with a few files; the window starts on C.
class Navigation : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const std::optional<std::string> &problem = volumes.problem())
            GTEST_SKIP() << *problem;
        c = volumes.first().folder;
        d = volumes.second().folder;
        cDrive = volumes.first().drive;
        dDrive = volumes.second().drive;
        for (const char *name : {"Start.txt", "Sub/Deep.txt"})
            testing_support::FolderAt(c).file(name);
        for (const char *name : {"Top.txt", "WORK/Work.txt", "Desk/Desk.txt"})
            testing_support::FolderAt(d).file(name);
        harness.fake.drives = volumes.drives();
        std::filesystem::current_path(c);
        harness.window();
        drive1 = harness.control<controls::DriveList>("Drive1");
        dir1 = harness.control<controls::FolderList>("Dir1");
    }

    void pickDrive(const std::filesystem::path &root)
    {
        const int index = drive1->findText((root == cDrive ? volumes.first() : volumes.second()).caption);
        ASSERT_GE(index, 0);
        drive1->setCurrentIndex(index); // as the user's pick does
    }

    // Every view and the working folder show `folder`.
    void expectAllAt(const std::filesystem::path &folder, const std::filesystem::path &drive)
    {
        EXPECT_EQ(dir1->path(), folder);
        EXPECT_EQ(harness.control<controls::PathLabel>("Label1")->path(), folder);
        EXPECT_EQ(harness.control<controls::FileList>("File1")->path(), folder);
        EXPECT_EQ(std::filesystem::current_path(), folder);
        EXPECT_EQ(drive1->drive(), drive);
    }

    // A lower-case run touches this folder's files and no others.
    void expectRunConverts(const std::filesystem::path &folder)
    {
        std::map<std::filesystem::path, Names> before;
        for (const std::filesystem::path &root : {c, d}) {
            before[root] = WindowHarness::namesIn(root);
            for (const auto &entry : std::filesystem::recursive_directory_iterator(root))
                if (entry.is_directory())
                    before[entry.path()] = WindowHarness::namesIn(entry.path());
        }
        harness.convert(false);
        for (const auto &[where, names] : before) {
            Names expected;
            for (const auto &name : names)
                expected.insert(where == folder && !std::filesystem::is_directory(where / name)
                                    ? std::filesystem::path(text::lowerCase(QString::fromStdString(name.string())).toStdString())
                                    : name);
            EXPECT_EQ(WindowHarness::namesIn(where), expected) << where;
        }
    }

    // Drags `urls` over the file list and drops them there, as a file manager
    // does, through the window system's window; whether the window took them.
    bool drop(const QList<QUrl> &urls)
    {
        MOJIK &window = harness.window();
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QMimeData data;
        data.setUrls(urls);
        auto *file1 = harness.control<controls::FileList>("File1");
        const QPoint at = file1->mapTo(&window, file1->rect().center());
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.windowHandle(), &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent dropped(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.windowHandle(), &dropped);
        return dropped.isAccepted();
    }

    static QUrl fileUrl(const std::filesystem::path &path)
    {
        return QUrl::fromLocalFile(QString::fromStdString(path.string()));
    }

    testing_support::TwoVolumes volumes; // before the harness, which leaves them first
    WindowHarness harness;
    std::filesystem::path c, d;           // the volumes' roots as folders
    std::filesystem::path cDrive, dDrive; // and as the drive list holds them
    controls::DriveList *drive1 = nullptr;
    controls::FolderList *dir1 = nullptr;
};

TEST_F(Navigation, StartsOnTheWorkingFolderAndItsDrive)
{
    expectAllAt(c, cDrive);
    EXPECT_EQ(drive1->currentText(), volumes.first().caption);
}

TEST_F(Navigation, AnotherDriveKeepsItsOwnCurrentFolder)
{
    pickDrive(dDrive);
    expectAllAt(d, dDrive);
    ASSERT_FALSE(dir1->setPath(d / "WORK"));
    expectAllAt(d / "WORK", dDrive);
    pickDrive(cDrive);
    expectAllAt(c, cDrive);
    pickDrive(dDrive);
    expectAllAt(d / "WORK", dDrive);
    expectRunConverts(d / "WORK");
}

TEST_F(Navigation, OpeningASubfolderWithTheKeyboardMovesEverything)
{
    dir1->setFocus();
    QTest::keyClick(dir1, Qt::Key_End);
    QTest::keyClick(dir1, Qt::Key_Return);
    expectAllAt(c / "Sub", cDrive);
    expectRunConverts(c / "Sub");
}

TEST_F(Navigation, TheFolderListShowsAncestorsThenSubfolders)
{
    ASSERT_FALSE(dir1->setPath(d / "WORK"));
    QStringList rows;
    for (int i = 0; i < dir1->count(); ++i)
        rows << dir1->item(i)->text();
    EXPECT_EQ(rows, (QStringList{QString::fromStdString(dDrive.string()), QStringLiteral("WORK")}));
    ASSERT_FALSE(dir1->setPath(d));
    rows.clear();
    for (int i = 0; i < dir1->count(); ++i)
        rows << dir1->item(i)->text();
    EXPECT_EQ(rows, (QStringList{QString::fromStdString(dDrive.string()), QStringLiteral("Desk"), QStringLiteral("WORK")}));
    EXPECT_EQ(dir1->currentRow(), 0);
}

TEST_F(Navigation, DesktopFromAnotherDriveMovesEveryViewAndSelectsItsDrive)
{
    harness.fake.desktop = (d / "Desk").string();
    harness.click("Command3");
    expectAllAt(d / "Desk", dDrive);
    EXPECT_EQ(harness.fake.desktopReads, 4);
    EXPECT_TRUE(harness.fake.shown.empty());
    expectRunConverts(d / "Desk");
}

TEST_F(Navigation, DesktopAlreadyShownRaisesNoChangeButSetsTheWorkingFolderAgain)
{
    harness.fake.desktop = c.string();
    QSignalSpy folderChanges(dir1, &controls::FolderList::pathChanged);
    QSignalSpy driveChanges(drive1, &controls::DriveList::driveChanged);
    std::filesystem::current_path(c / "Sub");
    harness.click("Command3");
    EXPECT_EQ(folderChanges.count(), 0);
    EXPECT_EQ(driveChanges.count(), 0);
    expectAllAt(c, cDrive);
}

TEST_F(Navigation, FailuresSayWhatFailedAndLeaveTheViewsAgreeing)
{
    harness.click("Command3"); // no Desktop value
    ASSERT_EQ(harness.fake.shown.size(), 1u);
    EXPECT_TRUE(harness.fake.shown[0].prompt.startsWith(QStringLiteral("デスクトップフォルダの設定がありません。")));
    expectAllAt(c, cDrive);

    harness.fake.desktop = (d / "Gone").string();
    harness.click("Command3");
    ASSERT_EQ(harness.fake.shown.size(), 2u);
    EXPECT_TRUE(harness.fake.shown[1].prompt.contains(QStringLiteral("が見つかりません。")));
    expectAllAt(c, cDrive);

    // A drive whose current folder went away is not ready: the list goes back to C.
    pickDrive(dDrive);
    ASSERT_FALSE(dir1->setPath(d / "WORK"));
    pickDrive(cDrive);
    std::filesystem::remove_all(d / "WORK");
    pickDrive(dDrive);
    ASSERT_EQ(harness.fake.shown.size(), 3u);
    EXPECT_TRUE(harness.fake.shown[2].prompt.startsWith(QStringLiteral("ドライブ "))) << harness.fake.shown[2].prompt.toStdString();
    expectAllAt(c, cDrive);
}

TEST_F(Navigation, DesktopFailuresSayWhichItWasAndNameThePath)
{
    const std::filesystem::path gone = d / "Gone";
    // A folder that is there, but whose path takes 251 bytes with its NUL and more.
    const std::filesystem::path deep = testing_support::FolderAt(d).folder(std::string(250 - d.native().size(), 'x'));
    const auto shown = [](const std::filesystem::path &path) { return QString::fromStdString(path.string()); };
    const struct {
        std::optional<std::string> desktop;
        QString prompt;
    } rows[] = {
        {std::nullopt, QStringLiteral("デスクトップフォルダの設定がありません。")},
        {gone.string(), QStringLiteral("デスクトップフォルダ %1 が見つかりません。\r").arg(shown(gone))
                            + text::reasonText(testing_support::folderNotFound())},
        {deep.string(), QStringLiteral("デスクトップフォルダのパスが長すぎます (%1 バイト、読めるのは 250 バイトまで)。\r%2")
                            .arg(deep.native().size() + 1)
                            .arg(shown(deep))},
    };
    for (const auto &row : rows) {
        harness.fake.shown.clear();
        harness.fake.desktop = row.desktop;
        harness.click("Command3");
        ASSERT_EQ(harness.fake.shown.size(), 1u);
        EXPECT_EQ(harness.fake.shown[0].prompt, row.prompt);
        expectAllAt(c, cDrive);
    }
}

TEST_F(Navigation, ADroppedFolderOpensThereAndItsDriveKeepsIt)
{
    ASSERT_TRUE(drop({fileUrl(d / "WORK")}));
    expectAllAt(d / "WORK", dDrive);
    pickDrive(cDrive);
    expectAllAt(c, cDrive);
    pickDrive(dDrive);
    expectAllAt(d / "WORK", dDrive);
    EXPECT_TRUE(harness.fake.shown.empty());
    expectRunConverts(d / "WORK");
}

TEST_F(Navigation, WhatIsDroppedDecidesTheFolderOrTheBox)
{
    const std::filesystem::path gone = d / "Gone";
    const struct {
        const char *what;
        QList<QUrl> urls;
        bool taken;
        std::filesystem::path folder, drive;
        QString prompt;
    } rows[] = {
        {"a file opens its folder", {fileUrl(d / "Desk" / "Desk.txt")}, true, d / "Desk", dDrive, {}},
        {"the first local one counts", {QUrl(QStringLiteral("https://example.com/")), fileUrl(c / "Sub")}, true, c / "Sub", cDrive, {}},
        {"nothing local is refused", {QUrl(QStringLiteral("https://example.com/a.txt"))}, false, c, cDrive, {}},
        {"a folder gone says so", {fileUrl(gone)}, true, c, cDrive,
         QStringLiteral("フォルダ %1 が見つかりません。\r").arg(QString::fromStdString(gone.string()))
             + text::reasonText(testing_support::folderNotFound())},
    };
    for (const auto &row : rows) {
        pickDrive(cDrive);
        ASSERT_FALSE(dir1->setPath(c));
        harness.fake.shown.clear();
        EXPECT_EQ(drop(row.urls), row.taken) << row.what;
        expectAllAt(row.folder, row.drive);
        if (row.prompt.isEmpty()) {
            EXPECT_TRUE(harness.fake.shown.empty()) << row.what;
        } else {
            ASSERT_EQ(harness.fake.shown.size(), 1u) << row.what;
            EXPECT_EQ(harness.fake.shown[0].prompt, row.prompt) << row.what;
        }
    }
}

} // namespace
