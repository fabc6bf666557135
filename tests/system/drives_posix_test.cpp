// Tests of the volumes the drive list offers on Linux, read from the mount table.
#include "system/drives.h"

#include "support/mounts.h"
#include "support/temp_folder.h"

#include <QStorageInfo>
#include <gtest/gtest.h>
#include <set>

namespace {

namespace fs = std::filesystem;
using testing_support::Mounted;
using testing_support::TempFolder;

// The volumes as Qt's own view of the mount table gives them, with the drive
// list's rule of what a user browses: no pseudo or memory file systems, nothing
// of the system's own below /proc, /sys, /dev or /run (but /run/media).
std::set<std::pair<std::string, std::string>> volumesSeenByQt()
{
    static const std::set<QByteArray> pseudo = {
        "autofs",  "binfmt_misc", "bpf",      "cgroup",    "cgroup2", "configfs", "debugfs", "devpts",
        "devtmpfs", "efivarfs",   "fusectl",  "hugetlbfs", "mqueue",  "nsfs",     "overlay", "proc",
        "pstore",  "ramfs",       "rpc_pipefs", "securityfs", "squashfs", "sysfs", "tmpfs", "tracefs",
    };
    std::set<std::pair<std::string, std::string>> volumes{{"/", {}}};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || pseudo.count(volume.fileSystemType()) ||
            root.startsWith(QLatin1String("/proc")) || root.startsWith(QLatin1String("/sys")) ||
            root.startsWith(QLatin1String("/dev")) ||
            (root.startsWith(QLatin1String("/run/")) && !root.startsWith(QLatin1String("/run/media/"))))
            continue;
        if (root == QLatin1String("/"))
            volumes.erase({"/", {}});
        volumes.insert({root.toStdString(), volume.name().toStdString()});
    }
    return volumes;
}

TEST(DrivesPosix, SameVolumesAsQtSeesWithTheRootFirst)
{
    // A user's FAT stick, and a memory file system the list leaves out, beside
    // whatever this machine has mounted.
    TempFolder temp;
    const fs::path stick = temp.folder("stick");
    const fs::path memory = temp.folder("memory");
    std::string why;
    const std::unique_ptr<Mounted> stickMount =
        testing_support::mountImage(testing_support::Medium::Fat, temp.path() / "stick.img", stick, 32, why);
    const bool haveStick = stickMount != nullptr;
    std::optional<Mounted> memoryMount;
    if (::mount("mojik-test", memory.c_str(), "tmpfs", 0, "size=1m") == 0)
        memoryMount.emplace(memory);

    const std::vector<sys::Drive> drives = sys::mountedDrives();
    ASSERT_FALSE(drives.empty());
    EXPECT_EQ(drives.front().root, "/");
    std::set<std::pair<std::string, std::string>> listed;
    for (const sys::Drive &drive : drives)
        listed.insert({drive.root.native(), drive.name});
    EXPECT_EQ(listed.size(), drives.size()) << "a volume listed twice";
    EXPECT_EQ(listed, volumesSeenByQt());
    EXPECT_EQ(listed.count({stick.native(), {}}), haveStick ? 1u : 0u);
    EXPECT_FALSE(std::any_of(drives.begin(), drives.end(), [&](const sys::Drive &d) { return d.root == memory; }));
    EXPECT_TRUE(std::is_sorted(drives.begin() + 1, drives.end(),
                               [](const sys::Drive &a, const sys::Drive &b) { return a.root < b.root; }));
}

} // namespace
