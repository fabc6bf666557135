// Tests of the window started in a working folder it cannot show.
#include "support/window_harness.h"

#include "text/reason.h"

#include <climits>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string kPart(200, 'd');

// A chain of folders named kPart below `base`, deeper than the system's path
// limit: made and removed a step at a time from inside, since no full path to
// its bottom can be used.
class DeepFolders {
public:
    DeepFolders(const fs::path &base, int levels) : m_base(base), m_levels(levels)
    {
        EXPECT_EQ(::chdir(base.c_str()), 0);
        for (int level = 0; level < levels; ++level) {
            EXPECT_EQ(::mkdir(kPart.c_str(), 0755), 0);
            EXPECT_EQ(::chdir(kPart.c_str()), 0);
        }
    }
    ~DeepFolders()
    {
        if (::chdir(m_base.c_str()) != 0)
            return;
        int depth = 0;
        while (depth < m_levels && ::chdir(kPart.c_str()) == 0)
            ++depth;
        for (; depth > 0 && ::chdir("..") == 0; --depth)
            fs::remove_all(kPart);
    }
    DeepFolders(const DeepFolders &) = delete;
    DeepFolders &operator=(const DeepFolders &) = delete;

private:
    fs::path m_base;
    int m_levels;
};

TEST(Startup, AFolderPastThePathLimitOpensTheNearestFolderAboveItAndSaysSo)
{
    testing_support::TempFolder temp;
    // Level n's path takes this many bytes and n times 201 more; a path the
    // system takes is shorter than PATH_MAX with its NUL.
    const std::size_t base = temp.path().native().size();
    const int reachable = static_cast<int>((PATH_MAX - 1 - base) / (kPart.size() + 1));
    fs::path nearest = temp.path();
    for (int level = 0; level < reachable; ++level)
        nearest /= kPart;
    fs::path start = nearest;
    for (int level = 0; level < 3; ++level)
        start /= kPart;
    const DeepFolders deep(temp.path(), reachable + 3); // and the working folder is its bottom
    std::ofstream(nearest / "shown.txt") << "shown";

    testing_support::FakeServices fake;
    MOJIK window(fake.services);
    const QString nearestText = QString::fromStdString(nearest.string());
    ASSERT_EQ(fake.shown.size(), 1u);
    EXPECT_EQ(fake.shown[0].prompt, QStringLiteral("起動したフォルダ %1 を開けませんでした。\r%2\r代わりに %3 を開きます。")
                                        .arg(QString::fromStdString(start.string()),
                                             text::reasonText(std::make_error_code(std::errc::filename_too_long)),
                                             nearestText));
    EXPECT_EQ(window.findChild<controls::FolderList *>("Dir1")->path(), nearest);
    EXPECT_EQ(window.findChild<controls::PathLabel *>("Label1")->text(), nearestText);
    EXPECT_EQ(window.findChild<controls::FileList *>("File1")->entries(), std::vector<fs::path>{"shown.txt"});
    EXPECT_EQ(fs::current_path(), nearest);
}

} // namespace
