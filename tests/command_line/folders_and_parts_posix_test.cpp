// Tests of --part and --folders from the command line: which names change, which
// are left with their reason, and their undo, on trees with hidden folders and
// links to folders, which only POSIX systems make in a test.
#include "command_line/run_in_process.h"

#include "conversion/journal_store.h"

namespace {

using namespace command_line_testing;

TEST(CommandLine, PartConvertsTheNameOrTheExtensionAloneAndIsTakenBack)
{
    TempFolder temp;
    for (const char *name : {"F/IMG_0001.JPG", "F/IMG_0002.JPG", "F/img_0002.JPG", "F/Notes"})
        temp.file(name);
    const fs::path folder = temp.path() / "F";
    const Names before = allNames(folder);

    const Result dry = mojik({"--lower", "-n", "--part", "name", folder.native()});
    EXPECT_EQ(dry.exit, command_line::kLeft);
    EXPECT_EQ(dry.out, "IMG_0001.JPG → img_0001.JPG\nNotes → notes\n"
                       "IMG_0002.JPG … img_0002.JPG という名前が既にあります\n");
    EXPECT_EQ(allNames(folder), before) << "a dry run changes nothing";

    EXPECT_EQ(mojik({"--lower", "--part=extension", folder.native()}).exit, command_line::kDone);
    EXPECT_EQ(allNames(folder), (Names{"IMG_0001.jpg", "IMG_0002.jpg", "img_0002.jpg", "Notes"}));
    EXPECT_EQ(mojik({"--undo", folder.native()}).exit, command_line::kDone);
    EXPECT_EQ(allNames(folder), before);
}

TEST(CommandLine, FoldersRenamesTheSubfoldersButNotTheFolderGivenNorHiddenOnesNorLinks)
{
    TempFolder temp;
    for (const char *name : {"Root/Top.TXT", "Root/Photos/Inner.JPG", "Root/.Hidden/Secret.TXT", "Root/docs",
                             "Root/Docs/Kept.TXT", "Elsewhere/Outside.TXT"})
        temp.file(name);
    fs::create_directory_symlink(temp.path() / "Elsewhere", temp.path() / "Root" / "Link");
    const fs::path root = temp.path() / "Root";
    const Names before = allNames(root);

    const Result run = mojik({"--lower", "--folders", root.native()});
    EXPECT_EQ(run.exit, command_line::kLeft) << run.err;
    EXPECT_EQ(run.out, "Photos → photos\nTop.TXT → top.txt\nDocs … docs という名前が既にあります\n");
    EXPECT_EQ(allNames(root), (Names{"top.txt", "photos", ".Hidden", "Link", "Docs", "docs"}));
    EXPECT_EQ(allNames(root / "photos"), (Names{"Inner.JPG"})) << "without -r the folders' contents stay";
    EXPECT_TRUE(fs::exists(temp.path() / "Root")) << "the folder given keeps its name";

    EXPECT_EQ(mojik({"--undo", root.native()}).exit, command_line::kDone);
    EXPECT_EQ(allNames(root), before);
}

TEST(CommandLine, RecursiveFoldersRenamesTheDeepestFirstAndIsTakenBackWhole)
{
    TempFolder temp;
    for (const char *name : {"Root/A/B/File.TXT", "Root/A/Y.TXT", "Root/Ärger/.Hidden/Z.TXT"})
        temp.file(name);
    temp.folder("Root/C");
    const fs::path root = temp.path() / "Root";

    const Result run = mojik({"--lower", "-r", "--folders", root.native()});
    EXPECT_EQ(run.exit, command_line::kDone) << run.err;
    EXPECT_EQ(run.out, "A/B/File.TXT → A/B/file.txt\n"
                       "A/B → A/b\nA/Y.TXT → A/y.txt\n"
                       "A → a\nC → c\nÄrger → ärger\n");
    EXPECT_EQ(allNames(root), (Names{"a", "c", "ärger"}));
    EXPECT_EQ(allNames(root / "a"), (Names{"b", "y.txt"}));
    EXPECT_EQ(allNames(root / "a" / "b"), (Names{"file.txt"}));
    EXPECT_EQ(allNames(root / "ärger" / ".Hidden"), (Names{"Z.TXT"}));

    const Result undo = mojik({"--undo", "-r", root.native()});
    EXPECT_EQ(undo.exit, command_line::kDone) << undo.err << undo.out;
    EXPECT_EQ(allNames(root), (Names{"A", "C", "Ärger"}));
    EXPECT_EQ(allNames(root / "A"), (Names{"B", "Y.TXT"}));
    EXPECT_EQ(allNames(root / "A" / "B"), (Names{"File.TXT"}));
}

// A recursive run's journals reach the disk together and are pruned together:
// each folder keeps its last 20 runs, and no other folder's.
TEST(CommandLine, ARecursiveRunKeepsTheLastTwentyRunsOfEachFolder)
{
    TempFolder temp;
    temp.file("R/Top.txt");
    temp.file("R/123/Abc.txt"); // a folder that keeps its name, and so its journals' path
    temp.file("Other/Xyz.txt");
    // A store of its own, counted whole.
    const QByteArray shared = qgetenv(conversion::JournalStore::kHomeVariable);
    qputenv(conversion::JournalStore::kHomeVariable, QByteArray::fromStdString(temp.folder("state").native()));
    const fs::path root = temp.path() / "R";
    ASSERT_EQ(mojik({"--upper", (temp.path() / "Other").native()}).exit, command_line::kDone);
    for (int run = 0; run < 22; ++run)
        ASSERT_EQ(mojik({run % 2 ? "--lower" : "--upper", "-r", "--folders", root.native()}).exit, command_line::kDone);
    std::vector<fs::path> journals;
    ASSERT_FALSE(sys::listAllNames(conversion::JournalStore::standard().folder(), journals));
    EXPECT_EQ(journals.size(), 20 + 1u); // one journal a run, whatever the folders in it
    EXPECT_EQ(mojik({"--undo", "-r", root.native()}).exit, command_line::kDone);
    EXPECT_EQ(allNames(root), (Names{"TOP.TXT", "123"})) << "the run before the last";
    EXPECT_EQ(allNames(root / "123"), (Names{"ABC.TXT"}));
    qputenv(conversion::JournalStore::kHomeVariable, shared);
}

} // namespace
