// Tests of the window started in a working folder it cannot show.
#include "support/window_harness.h"

#include "text/reason.h"

#include <climits>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

TEST(Startup, AFolderPastThePathLimitOpensTheNearestFolderAboveItAndSaysSo)
{
    testing_support::TempFolder temp;
    const std::string part(200, 'd');
    // Folders `part` in `part`, made from inside: no full path reaches past the
    // limit, which a path takes with its NUL. rm removes them from inside too.
    const int reachable = static_cast<int>((PATH_MAX - 1 - temp.path().native().size()) / (part.size() + 1));
    const std::unique_ptr<void, void (*)(void *)> removal(&temp, [](void *folder) {
        const fs::path top = static_cast<testing_support::TempFolder *>(folder)->path() / std::string(200, 'd');
        EXPECT_EQ(std::system(("rm -rf '" + top.native() + "'").c_str()), 0);
    });
    fs::path nearest = temp.path();
    fs::current_path(nearest);
    for (int level = 0; level < reachable + 3; ++level) {
        ASSERT_EQ(::mkdir(part.c_str(), 0755), 0);
        ASSERT_EQ(::chdir(part.c_str()), 0);
        if (level < reachable)
            nearest /= part;
    }
    const fs::path start = nearest / part / part / part;
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
