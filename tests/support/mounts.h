// File systems mounted over folders of a test's own: a mount taken away again at
// the end of its scope, and a FAT image mounted through FUSE as users' sticks are.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>

namespace testing_support {

// Unmounts `point` when the scope ends (before the temporary folder that holds it goes).
class Mounted {
public:
    explicit Mounted(std::filesystem::path point) : m_point(std::move(point)) {}
    ~Mounted()
    {
        if (::umount2(m_point.c_str(), 0) != 0)
            ::umount2(m_point.c_str(), MNT_DETACH);
    }
    Mounted(const Mounted &) = delete;
    Mounted &operator=(const Mounted &) = delete;

private:
    std::filesystem::path m_point;
};

inline bool isMountPoint(const std::filesystem::path &point)
{
    struct stat inner {};
    struct stat outer {};
    return ::stat(point.c_str(), &inner) == 0 && ::stat((point / "..").c_str(), &outer) == 0 &&
           inner.st_dev != outer.st_dev;
}

// Makes an 8 MB FAT image and mounts it read-write at `point` with fusefat.
// Nothing when that cannot be done here; the reason is then in `why`.
inline std::optional<std::string> mountFat(const std::filesystem::path &image, const std::filesystem::path &point)
{
    std::ofstream(image, std::ios::binary).close();
    std::filesystem::resize_file(image, 8 * 1024 * 1024);
    const std::string quiet = " >/dev/null 2>&1";
    if (std::system(("mkfs.vfat '" + image.native() + "'" + quiet).c_str()) != 0)
        return "mkfs.vfat failed: is dosfstools installed (scripts/install-deps)?";
    if (std::system(("fusefat -o rw+ '" + image.native() + "' '" + point.native() + "'" + quiet).c_str()) != 0 ||
        !isMountPoint(point))
        return "cannot mount FAT with fusefat: is fusefat installed (scripts/install-deps), /dev/fuse there, and are we root?";
    return std::nullopt;
}

} // namespace testing_support
