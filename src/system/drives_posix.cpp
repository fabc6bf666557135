// The volumes of a system without drive letters: the mounted file systems a user
// browses, and the drive of a path as the volume that contains it.
#include "system/drives.h"

#include <QStorageInfo>
#include <algorithm>
#include <set>

namespace sys {

namespace {

// Pseudo and memory file systems hold nothing a user tidies.
bool isBrowsable(const QStorageInfo &volume)
{
    static const std::set<QByteArray> pseudo = {
        "autofs",  "binfmt_misc", "bpf",      "cgroup",    "cgroup2", "configfs", "debugfs", "devpts",
        "devtmpfs", "efivarfs",   "fusectl",  "hugetlbfs", "mqueue",  "nsfs",     "overlay", "proc",
        "pstore",  "ramfs",       "rpc_pipefs", "securityfs", "squashfs", "sysfs", "tmpfs", "tracefs",
    };
    if (!volume.isValid() || !volume.isReady() || pseudo.count(volume.fileSystemType()))
        return false;
    const QString root = volume.rootPath();
    for (const char *system : {"/proc", "/sys", "/dev"}) {
        if (root.startsWith(QLatin1String(system)))
            return false;
    }
    return !root.startsWith(QLatin1String("/run/")) || root.startsWith(QLatin1String("/run/media/"));
}

bool contains(const std::filesystem::path &root, const std::filesystem::path &path)
{
    auto r = root.begin();
    auto p = path.begin();
    for (; r != root.end(); ++r, ++p) {
        if (r->empty())
            continue; // the empty last element of a root written with a trailing "/"
        if (p == path.end() || *r != *p)
            return false;
    }
    return true;
}

} // namespace

std::vector<Drive> mountedDrives()
{
    std::vector<Drive> drives{{"/", {}}};
    const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &volume : volumes) {
        if (!isBrowsable(volume))
            continue;
        std::filesystem::path root(volume.rootPath().toStdString());
        const std::string name = volume.name().toStdString();
        if (root == "/") {
            drives.front().name = name;
            continue;
        }
        if (std::none_of(drives.begin(), drives.end(), [&](const Drive &d) { return d.root == root; }))
            drives.push_back({root, name});
    }
    std::sort(drives.begin() + 1, drives.end(), [](const Drive &a, const Drive &b) { return a.root < b.root; });
    return drives;
}

std::filesystem::path driveOf(const std::filesystem::path &path, const std::vector<Drive> &drives)
{
    const std::filesystem::path normal = path.lexically_normal();
    const Drive *best = nullptr;
    for (const Drive &drive : drives) {
        if (contains(drive.root, normal)
            && (!best || std::distance(drive.root.begin(), drive.root.end()) > std::distance(best->root.begin(), best->root.end())))
            best = &drive;
    }
    return best ? best->root : std::filesystem::path();
}

} // namespace sys
