// File systems mounted over folders of a test's own: a mount taken away again at
// the end of its scope, and FAT or exFAT images mounted through FUSE as users'
// sticks are.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>

namespace testing_support {

// Unmounts `point` when the scope ends (before the temporary folder that holds
// it goes), and lets go of the loop device the medium was on, if any.
class Mounted {
public:
    explicit Mounted(std::filesystem::path point, std::string loop = {}) : m_point(std::move(point)), m_loop(std::move(loop)) {}
    ~Mounted()
    {
        if (::umount2(m_point.c_str(), 0) != 0)
            ::umount2(m_point.c_str(), MNT_DETACH);
        if (!m_loop.empty())
            std::system(("losetup -d '" + m_loop + "' >/dev/null 2>&1").c_str());
    }
    Mounted(const Mounted &) = delete;
    Mounted &operator=(const Mounted &) = delete;

private:
    std::filesystem::path m_point;
    std::string m_loop;
};

inline bool isMountPoint(const std::filesystem::path &point)
{
    struct stat inner {};
    struct stat outer {};
    return ::stat(point.c_str(), &inner) == 0 && ::stat((point / "..").c_str(), &outer) == 0 &&
           inner.st_dev != outer.st_dev;
}

// The one reason a test on a medium through FUSE may skip: no FUSE here at all.
inline std::optional<std::string> withoutFuse()
{
    if (std::filesystem::exists("/dev/fuse"))
        return std::nullopt;
    return "no /dev/fuse on this machine: file systems through FUSE cannot be mounted here";
}

// What a command prints, its first line; empty when it fails.
inline std::string outputOf(const std::string &command)
{
    std::string line;
    if (FILE *pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        if (std::fgets(buffer, sizeof buffer, pipe))
            line = buffer;
        if (::pclose(pipe) != 0)
            line.clear();
    }
    while (!line.empty() && line.back() == '\n')
        line.pop_back();
    return line;
}

enum class Medium { Fat, Exfat };

// A freshly made image of `megabytes` (FAT16 from 16 on) mounted read-write at `point`: FAT with
// fusefat (which reads the image itself), exFAT with exfat-fuse (which wants a
// block device: the image goes on a loop device). Nothing when that fails; the
// reason is then in `why`.
inline std::unique_ptr<Mounted> mountImage(Medium medium, const std::filesystem::path &image,
                                         const std::filesystem::path &point, int megabytes, std::string &why)
{
    std::ofstream(image, std::ios::binary).close();
    std::filesystem::resize_file(image, static_cast<std::uintmax_t>(megabytes) * 1024 * 1024);
    const std::string quiet = " >/dev/null 2>&1";
    const std::string quoted = "'" + image.native() + "'";
    const std::string at = " '" + point.native() + "'";
    std::string loop;
    if (medium == Medium::Fat) {
        if (std::system(("mkfs.vfat -F 16 " + quoted + quiet).c_str()) != 0) {
            why = "mkfs.vfat failed: is dosfstools installed (scripts/install-deps)?";
            return nullptr;
        }
        if (std::system(("fusefat -o rw+ " + quoted + at + quiet).c_str()) != 0 || !isMountPoint(point)) {
            why = "fusefat cannot mount the FAT image: is fusefat installed (scripts/install-deps), and are we root?";
            return nullptr;
        }
    } else {
        if (std::system(("mkfs.exfat " + quoted + quiet).c_str()) != 0) {
            why = "mkfs.exfat failed: is exfatprogs installed (scripts/install-deps)?";
            return nullptr;
        }
        loop = outputOf("losetup --find --show " + quoted + " 2>/dev/null");
        if (loop.empty()) {
            why = "no loop device for the exFAT image: are we root?";
            return nullptr;
        }
        if (std::system(("mount.exfat-fuse '" + loop + "'" + at + quiet).c_str()) != 0 || !isMountPoint(point)) {
            std::system(("losetup -d '" + loop + "'" + quiet).c_str());
            why = "exfat-fuse cannot mount the exFAT image: is exfat-fuse installed (scripts/install-deps)?";
            return nullptr;
        }
    }
    return std::make_unique<Mounted>(point, loop);
}

} // namespace testing_support
