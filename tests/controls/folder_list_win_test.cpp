// Tests of the folder list on Windows, where one folder has many spellings: its
// drive in either case, its names in any.
#include "controls/folder_rows.h"

#include "support/temp_folder.h"
#include "system/paths.h"
#include "text/names.h"

#include <QSignalSpy>

namespace {

// The drive list names drives in lower case (d:\) and the system hands out
// folders in upper case (D:\sample): the list must still show every folder
// between them.
TEST(FolderListRowsWin, ShowsEveryFolderBelowADriveSpeltInTheOtherCase)
{
    testing_support::TempFolder folder;
    folder.folder("Sub");
    const std::filesystem::path inner = sys::plainFolder(folder.path() / "Sub"); // with backslashes
    const QString text = text::displayName(inner);
    for (const QString &drive : {text.left(3).toLower(), text.left(3).toUpper()}) {
        controls::FolderList list;
        list.setDriveOf([&](const std::filesystem::path &) { return text::nameFromText(drive); });
        ASSERT_FALSE(list.setPath(inner));
        const QStringList rows = folder_list_testing::rowsOf(list);
        QStringList expected{drive};
        for (const QString &part : text.mid(3).split(u'\\'))
            expected << part;
        EXPECT_EQ(rows, expected) << text.toStdString() << " under " << drive.toStdString();
    }
}

} // namespace

// A folder spelt in another letter case is the folder shown: no change is raised
// and the list keeps its spelling, as the views that follow it do.
TEST(FolderListWin, TheFolderShownSpeltInAnotherCaseIsNoChange)
{
    testing_support::TempFolder folder;
    folder.folder("Sub");
    folder.folder("Sub2");
    const std::filesystem::path shown = sys::plainFolder(folder.path() / "Sub");
    const QString text = text::displayName(shown);
    controls::FolderList list;
    ASSERT_FALSE(list.setPath(shown));
    QSignalSpy changes(&list, &controls::FolderList::pathChanged);
    const struct {
        QString spelling;
        bool changes;
    } rows[] = {
        {text.toUpper(), false},
        {text.toLower(), false},
        {text.left(1).toLower() + text.mid(1), false},
        {text + QStringLiteral("\\"), false},
        {text + QStringLiteral("2"), true},
    };
    for (const auto &row : rows) {
        ASSERT_FALSE(list.setPath(shown));
        changes.clear();
        ASSERT_FALSE(list.setPath(text::nameFromText(row.spelling))) << row.spelling.toStdString();
        EXPECT_EQ(changes.count(), row.changes ? 1 : 0) << row.spelling.toStdString();
        EXPECT_EQ(list.path(), row.changes ? text::nameFromText(row.spelling) : shown) << row.spelling.toStdString();
    }
}
