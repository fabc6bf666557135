// Tests of Command2_Click on what only POSIX systems make in a test: a read-only
// and a full file system mounted for the test, a FIFO and links as targets.
#include "listing/export_fixture.h"

#include "support/mounts.h"
#include "text/reason.h"

#include <fstream>
#include <sys/mount.h>
#include <sys/stat.h>

namespace {

using namespace listing_testing;
namespace fs = std::filesystem;
using testing_support::contentOf;


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
    fake.saveAnswer = pathText(target);
    click(window);

    EXPECT_EQ(contentOf(target), "old content\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "ro"), fs::directory_iterator()), 1);
    ASSERT_EQ(fake.shown.size(), 1u);
    EXPECT_TRUE(fake.shown[0].prompt.startsWith(pathText(target))) << fake.shown[0].prompt.toStdString();
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
    fake.saveAnswer = pathText(target);
    click(window);

    EXPECT_EQ(contentOf(target), "old content\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(disk), fs::directory_iterator()), 2); // no temporary file left
    ASSERT_EQ(fake.shown.size(), 1u);
    EXPECT_EQ(fake.shown[0].prompt, pathText(target) + QStringLiteral(" に書き込めませんでした。\r")
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
        fake.saveAnswer = pathText(out / name);
        click(window);
        ASSERT_EQ(fake.shown.size(), 1u) << name;
        EXPECT_TRUE(fake.shown[0].prompt.startsWith(pathText(out / name) + QStringLiteral(" に書き込めませんでした。\r通常のファイルではありません")))
            << fake.shown[0].prompt.toStdString();
    }
    EXPECT_TRUE(fs::is_fifo(out / "fifo"));
    EXPECT_TRUE(fs::is_empty(out / "folder.txt"));

    fake.shown.clear();
    fake.saveAnswer = pathText(out / "link.txt");
    click(window);
    EXPECT_TRUE(fake.shown.empty());
    EXPECT_TRUE(fs::is_symlink(out / "link.txt"));
    EXPECT_EQ(contentOf(real), expected());
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 4);
}

} // namespace
