// Tests of Command2_Click: the listing written to the file chosen in the Save dialog.
#include "window/mojik.h"

#include "controls/file_list.h"

#include "support/fake_services.h"
#include "support/mounts.h"
#include "support/temp_folder.h"
#include "text/reason.h"

#include <QPushButton>
#include <QTest>
#include <fstream>
#include <map>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using testing_support::contentOf;

const std::string kHeader = "\x83\x66\x83\x42\x83\x8c\x83\x4e\x83\x67\x83\x8a\x96\xbc\x8f\x6f\x97\xcd\r\n";
const std::string kRule = std::string(38, '+') + "\r\n";
const std::string kCount = "\x83\x74\x83\x40\x83\x43\x83\x8b\x90\x94\x81\x46";

QString text(const fs::path &path)
{
    return QString::fromStdString(path.string());
}

// Every entry under a folder with what each file holds.
std::map<fs::path, std::string> snapshot(const fs::path &folder)
{
    std::map<fs::path, std::string> entries;
    for (const auto &entry : fs::recursive_directory_iterator(folder))
        entries[entry.path()] = entry.is_regular_file() ? contentOf(entry.path()) : std::string("<folder>");
    return entries;
}

// A folder holding b.txt, A.txt, 漢字.txt, c, a hidden file and a subfolder,
// the working folder while the test runs.
class ListingExport : public ::testing::Test {
protected:
    ListingExport()
    {
        for (const char *name : {"b.txt", "A.txt", "漢字.txt", "c", ".hidden"})
            folder.file(name);
        folder.folder("sub");
        fs::current_path(folder.path());
        here = fs::current_path();
    }

    void click(MOJIK &window) { QTest::mouseClick(window.findChild<QPushButton *>("Command2"), Qt::LeftButton); }

    std::string expected() const
    {
        return kHeader + here.string() + "\r\n" + kRule + "A.txt\r\nb.txt\r\nc\r\n\x8a\xbf\x8e\x9a.txt\r\n" + kRule + kCount
               + " 4\r\n";
    }

    testing_support::TempFolder folder;
    fs::path here;
    testing_support::FakeServices fake;
};

TEST_F(ListingExport, WritesTheListingToTheChosenFile)
{
    const fs::path target = folder.folder("out") / "list.txt";
    fake.saveAnswer = text(target);
    MOJIK window(fake.services);
    click(window);

    EXPECT_EQ(contentOf(target), expected());
    EXPECT_TRUE(fake.shown.empty());
    ASSERT_EQ(fake.saveRequests.size(), 1u);
    EXPECT_EQ(fake.saveRequests[0].folder, text(here));
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
        EXPECT_EQ(fake.saveRequests.back().folder, text(here));
    }
    EXPECT_EQ(snapshot(folder.path()), before);

    fake.saveAnswer = text(out / "first.txt");
    click(window);
    fake.saveAnswer = text(out / "second.txt");
    click(window);
    EXPECT_EQ(fake.saveRequests.back().fileName, text(out / "first.txt"));
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
    fake.saveAnswer = text(target);
    click(window);
    EXPECT_EQ(contentOf(target), expected());
}

TEST_F(ListingExport, SaysWhyWhenTheFolderCannotBeWritten)
{
    MOJIK window(fake.services);
    const auto before = snapshot(folder.path());
    const fs::path target = folder.path() / "missing" / "list.txt";
    fake.saveAnswer = text(target);
    click(window);

    EXPECT_EQ(snapshot(folder.path()), before);
    ASSERT_EQ(fake.shown.size(), 1u);
    EXPECT_EQ(fake.shown[0].buttons, controls::Buttons::Ok);
    EXPECT_TRUE(fake.shown[0].prompt.startsWith(text(target) + QStringLiteral(" に書き込めませんでした。\r")))
        << fake.shown[0].prompt.toStdString();
    EXPECT_GT(fake.shown[0].prompt.size(), text(target).size() + 16); // the system's reason follows
}

// A read-only file system mounted inside the temporary folder, gone with the test.
class ReadOnlyMount {
public:
    explicit ReadOnlyMount(const fs::path &at, const fs::path &file, const std::string &content) : m_at(at)
    {
        fs::create_directories(at);
        if (::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=64k") != 0)
            return;
        m_mounted = true;
        std::ofstream(at / file, std::ios::binary) << content;
        m_readOnly = ::mount("tmpfs", at.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }
    ~ReadOnlyMount()
    {
        if (m_mounted)
            ::umount2(m_at.c_str(), MNT_DETACH);
    }
    ReadOnlyMount(const ReadOnlyMount &) = delete;
    ReadOnlyMount &operator=(const ReadOnlyMount &) = delete;

    bool ready() const { return m_readOnly; }

private:
    fs::path m_at;
    bool m_mounted = false;
    bool m_readOnly = false;
};

TEST_F(ListingExport, LeavesAnExistingFileWholeWhenItsFolderIsReadOnly)
{
    const ReadOnlyMount mount(folder.path() / "ro", "old.txt", "old content\r\n");
    if (!mount.ready())
        GTEST_SKIP() << "cannot mount a read-only file system here";
    MOJIK window(fake.services);
    const fs::path target = folder.path() / "ro" / "old.txt";
    fake.saveAnswer = text(target);
    click(window);

    EXPECT_EQ(contentOf(target), "old content\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "ro"), fs::directory_iterator()), 1);
    ASSERT_EQ(fake.shown.size(), 1u);
    EXPECT_TRUE(fake.shown[0].prompt.startsWith(text(target))) << fake.shown[0].prompt.toStdString();
}

TEST_F(ListingExport, SaysAFullDiskInJapaneseAndLeavesTheOldFileWhole)
{
    const fs::path disk = folder.folder("disk");
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a small tmpfs here (it takes root)";
    const testing_support::Mounted mounted(disk);
    const fs::path target = folder.file("disk/old.txt", "old content\r\n");
    std::ofstream filler(disk / "filler", std::ios::binary);
    while (filler << std::string(4096, 'x') && filler.flush()) {
    }
    filler.close();
    MOJIK window(fake.services);
    fake.saveAnswer = text(target);
    click(window);

    EXPECT_EQ(contentOf(target), "old content\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(disk), fs::directory_iterator()), 2); // no temporary file left
    ASSERT_EQ(fake.shown.size(), 1u);
    EXPECT_EQ(fake.shown[0].prompt, text(target) + QStringLiteral(" に書き込めませんでした。\r")
                                        + text::reasonText(std::make_error_code(std::errc::no_space_on_device)));
}

TEST_F(ListingExport, RefusesATargetThatIsNoFileAndWritesThroughALinkToOne)
{
    const fs::path out = folder.folder("out");
    ASSERT_EQ(::mkfifo((out / "fifo").c_str(), 0600), 0);
    folder.folder("out/folder.txt");
    const fs::path real = folder.file("out/real.txt", "old");
    fs::create_symlink("real.txt", out / "link.txt");
    MOJIK window(fake.services);

    for (const char *name : {"fifo", "folder.txt"}) {
        fake.shown.clear();
        fake.saveAnswer = text(out / name);
        click(window);
        ASSERT_EQ(fake.shown.size(), 1u) << name;
        EXPECT_TRUE(fake.shown[0].prompt.startsWith(text(out / name) + QStringLiteral(" に書き込めませんでした。\r通常のファイルではありません")))
            << fake.shown[0].prompt.toStdString();
    }
    EXPECT_TRUE(fs::is_fifo(out / "fifo"));
    EXPECT_TRUE(fs::is_empty(out / "folder.txt"));

    fake.shown.clear();
    fake.saveAnswer = text(out / "link.txt");
    click(window);
    EXPECT_TRUE(fake.shown.empty());
    EXPECT_TRUE(fs::is_symlink(out / "link.txt"));
    EXPECT_EQ(contentOf(real), expected());
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 4);
}

} // namespace
