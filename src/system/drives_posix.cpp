// The volumes of a system without drive letters: the mounted file systems a user
// browses, and the drive of a path as the volume that contains it.
#include "system/drives.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mntent.h>
#include <set>
#include <string_view>
#include <sys/statvfs.h>

namespace sys {

namespace {

// Pseudo and memory file systems hold nothing a user tidies.
bool isPseudo(std::string_view type)
{
    static const std::set<std::string_view> pseudo = {
        "autofs",  "binfmt_misc", "bpf",      "cgroup",    "cgroup2", "configfs", "debugfs", "devpts",
        "devtmpfs", "efivarfs",   "fusectl",  "hugetlbfs", "mqueue",  "nsfs",     "overlay", "proc",
        "pstore",  "ramfs",       "rpc_pipefs", "securityfs", "squashfs", "sysfs", "tmpfs", "tracefs",
        "rootfs", // the initial root some systems still list beneath the real one
    };
    return pseudo.count(type) > 0;
}

bool isUnder(std::string_view root, std::string_view folder)
{
    return root.starts_with(folder) && (root.size() == folder.size() || root[folder.size()] == '/');
}

// Mount points of the system's own, not of the user's: devices, kernel views and
// run-time state (volumes the desktop mounts under /run/media excepted).
bool isSystemPlace(std::string_view root)
{
    for (const std::string_view folder : {"/dev", "/proc", "/sys", "/var/run", "/var/lock"}) {
        if (isUnder(root, folder))
            return true;
    }
    return root.starts_with("/run/") && !root.starts_with("/run/media/");
}

// A volume that answers and holds something: a mount that cannot be asked (a
// share whose server is gone) or reports no size at all is no place to browse.
bool isReady(const std::string &root)
{
    struct statvfs info {};
    return ::statvfs(root.c_str(), &info) == 0 && (root == "/" || info.f_blocks > 0);
}

// A label as udev names its link: bytes it cannot put in a file name as \xHH.
std::string decodeLabel(std::string_view name)
{
    std::string label;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned value = 0;
        if (name.substr(i, 2) == "\\x" && i + 3 < name.size() &&
            std::sscanf(std::string(name.substr(i + 2, 2)).c_str(), "%2x", &value) == 1) {
            label += static_cast<char>(value);
            i += 3;
        } else {
            label += name[i];
        }
    }
    return label;
}

// The label of the volume on `device`, from the links udev keeps by label.
std::string labelOf(const std::string &device)
{
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(device, error);
    if (error)
        return {};
    for (const auto &entry : std::filesystem::directory_iterator("/dev/disk/by-label", error)) {
        std::error_code ignored;
        if (entry.is_symlink(ignored) && std::filesystem::canonical(entry.path(), ignored) == target)
            return decodeLabel(entry.path().filename().native());
    }
    return {};
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
    // The last mount on a point is the one seen there.
    std::map<std::string, std::pair<std::string, std::string>> mounts; // root -> type, device
    if (FILE *table = ::setmntent("/proc/self/mounts", "r")) {
        while (const mntent *entry = ::getmntent(table))
            mounts[entry->mnt_dir] = {entry->mnt_type, entry->mnt_fsname};
        ::endmntent(table);
    }
    std::vector<Drive> drives{{"/", {}}};
    for (const auto &[root, mount] : mounts) {
        const auto &[type, device] = mount;
        if (isPseudo(type) || isSystemPlace(root) || !isReady(root))
            continue;
        if (root == "/")
            drives.front().name = labelOf(device);
        else
            drives.push_back({root, labelOf(device)});
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
