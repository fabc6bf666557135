// Tests of the folder list on Windows, where one drive has two spellings.
#include "controls/folder_list.h"

#include "support/temp_folder.h"
#include "system/paths.h"
#include "text/names.h"

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
        QStringList rows;
        for (int i = 0; i < list.count(); ++i)
            rows << list.item(i)->text();
        QStringList expected{drive};
        for (const QString &part : text.mid(3).split(u'\\'))
            expected << part;
        EXPECT_EQ(rows, expected) << text.toStdString() << " under " << drive.toStdString();
    }
}

} // namespace
