// A fresh folder on one of the media users tidy most: a FAT or an exFAT stick
// (an image mounted through FUSE for the test), or a Windows share (the one
// scripts/with-share serves and mounts for the test program's run).
#pragma once

#include "support/mounts.h"
#include "support/temp_folder.h"

#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace testing_support {

enum class MediumKind { Fat, Exfat, Share };

inline const char *nameOf(MediumKind kind)
{
    switch (kind) {
    case MediumKind::Fat:
        return "FAT";
    case MediumKind::Exfat:
        return "exFAT";
    case MediumKind::Share:
        break;
    }
    return "the share";
}

class MediumFolder {
public:
    explicit MediumFolder(MediumKind kind)
    {
        if (kind == MediumKind::Share) {
            const char *mounted = std::getenv("MOJIK_TEST_SHARE");
            const char *served = std::getenv("MOJIK_TEST_SHARE_FOLDER");
            if (!mounted || !served) {
                m_problem = "no share: run this test program through scripts/with-share (ctest does)";
                return;
            }
            // Made and filled on the server's side, as the files of a share
            // served from Linux are; used through the mount.
            std::string made = (std::filesystem::path(served) / "test-XXXXXX").native();
            if (!::mkdtemp(made.data())) {
                m_problem = "cannot make a folder in the share's folder " + std::string(served);
                return;
            }
            m_served = made;
            m_contents = FolderAt(m_served);
            m_path = std::filesystem::path(mounted) / m_served.filename();
            return;
        }
        const std::filesystem::path point = m_temp.folder("medium");
        std::string why;
        m_mount = mountImage(kind == MediumKind::Fat ? Medium::Fat : Medium::Exfat, m_temp.path() / "image", point, 32, why);
        // A subfolder, as FAT's root holds a few hundred entries at most.
        m_path = point / "run";
        m_contents = FolderAt(m_path);
        if (!m_mount)
            m_problem = why;
        else
            std::filesystem::create_directory(m_path);
    }
    ~MediumFolder()
    {
        std::error_code error;
        std::filesystem::current_path(m_temp.path(), error); // out of the medium before it goes
        if (!m_served.empty())
            std::filesystem::remove_all(m_served, error);
    }
    MediumFolder(const MediumFolder &) = delete;
    MediumFolder &operator=(const MediumFolder &) = delete;

    // Why there is no folder on the medium; nothing when there is one.
    const std::optional<std::string> &problem() const { return m_problem; }
    // The folder, as the program sees it.
    const std::filesystem::path &path() const { return m_path; }
    // Makes files and folders in it.
    const FolderContents &contents() const { return m_contents; }

private:
    TempFolder m_temp; // holds the image and the mount point
    std::unique_ptr<Mounted> m_mount;
    std::filesystem::path m_served;
    std::filesystem::path m_path;
    FolderAt m_contents;
    std::optional<std::string> m_problem;
};

} // namespace testing_support
