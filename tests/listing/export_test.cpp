// Tests of Command2_Click: the listing written to the file chosen in the Save dialog.
#include "listing/export_fixture.h"

#include "controls/file_list.h"

#include "text/reason.h"

#include <fstream>

namespace {

using namespace listing_testing;
namespace fs = std::filesystem;
using testing_support::contentOf;

TEST_F(ListingExport, WritesTheListingToTheChosenFile)
{
    const fs::path target = folder.folder("out") / "list.txt";
    fake.saveAnswer = pathText(target);
    MOJIK window(fake.services);
    click(window);

    EXPECT_EQ(contentOf(target), expected());
    EXPECT_TRUE(fake.shown.empty());
    ASSERT_EQ(fake.saveRequests.size(), 1u);
    EXPECT_EQ(fake.saveRequests[0].folder, pathText(here));
    EXPECT_EQ(fake.saveRequests[0].fileName, QStringLiteral("FNAME.TXT"));
    // "All Files" must match names without a dot too.
    EXPECT_EQ(fake.saveRequests[0].filters, QStringList({QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)"), QStringLiteral("All Files (*)")}));
}

TEST_F(ListingExport, ProposesThePathLastChosenAndWritesNothingUnlessChosen)
{
    const fs::path out = folder.folder("out");
    MOJIK window(fake.services);
    const auto before = snapshot(folder.path());

    const struct {
        std::optional<QString> answer;
        QString proposed;
    } rows[] = {
        {std::nullopt, QStringLiteral("FNAME.TXT")}, // cancelled
        {QStringLiteral("a.b"), QStringLiteral("FNAME.TXT")}, // too short to write
        {std::nullopt, QStringLiteral("a.b")},
    };
    for (const auto &row : rows) {
        fake.saveAnswer = row.answer;
        click(window);
        ASSERT_FALSE(fake.saveRequests.empty());
        EXPECT_EQ(fake.saveRequests.back().fileName, row.proposed);
        EXPECT_EQ(fake.saveRequests.back().folder, pathText(here));
    }
    EXPECT_EQ(snapshot(folder.path()), before);

    fake.saveAnswer = pathText(out / "first.txt");
    click(window);
    fake.saveAnswer = pathText(out / "second.txt");
    click(window);
    EXPECT_EQ(fake.saveRequests.back().fileName, pathText(out / "first.txt"));
    EXPECT_EQ(contentOf(out / "second.txt"), expected());
    EXPECT_TRUE(fake.shown.empty());
}

TEST_F(ListingExport, WritesTheNamesShownAtTheClickAndReplacesAWholeFile)
{
    const fs::path target = folder.file("out/old.txt", std::string(100000, 'x'));
    MOJIK window(fake.services);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // The file list reads its folder right after its first paint.
    const auto *file1 = window.findChild<controls::FileList *>(QStringLiteral("File1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return file1->model()->rowCount() > 0; }));
    folder.file("new-since-listed.txt"); // not shown until the list is read again
    fake.saveAnswer = pathText(target);
    click(window);
    EXPECT_EQ(contentOf(target), expected());
}

TEST_F(ListingExport, SaysWhyWhenTheFolderCannotBeWritten)
{
    MOJIK window(fake.services);
    const auto before = snapshot(folder.path());
    const fs::path target = folder.path() / "missing" / "list.txt";
    fake.saveAnswer = pathText(target);
    click(window);

    EXPECT_EQ(snapshot(folder.path()), before);
    ASSERT_EQ(fake.shown.size(), 1u);
    EXPECT_EQ(fake.shown[0].buttons, controls::Buttons::Ok);
    EXPECT_TRUE(fake.shown[0].prompt.startsWith(pathText(target) + QStringLiteral(" に書き込めませんでした。\r")))
        << fake.shown[0].prompt.toStdString();
    EXPECT_GT(fake.shown[0].prompt.size(), pathText(target).size() + 16); // the system's reason follows
}
} // namespace
