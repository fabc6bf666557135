// Two volumes a window under test moves between, with the drives its drive list
// offers. Here two folders of a fresh temporary folder, listed as mount points.
// On Windows every drive keeps its own current folder by its letter, so no
// folder can stand in for one: there they are the drives d: and e: that
// scripts/wine-prefix links to empty throwaway folders.
#pragma once

#include "system/drives.h"

#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace testing_support {

struct Volume {
    std::filesystem::path folder; // its root as the system spells a folder on it ("D:\" on Windows)
    std::filesystem::path drive;  // its root as the drive list holds it ("d:\" on Windows)
    QString caption;              // what the drive list shows for it, with its label
};

class TwoVolumes {
public:
    // The first has a label, the second none; both are empty. Neither is made
    // when the system has none to give: see problem().
    TwoVolumes();
    // Removes whatever the test made on them.
    ~TwoVolumes();
    TwoVolumes(const TwoVolumes &) = delete;
    TwoVolumes &operator=(const TwoVolumes &) = delete;

    // Why there are no volumes; nothing when there are.
    const std::optional<std::string> &problem() const { return m_problem; }
    const Volume &first() const { return m_first; }
    const Volume &second() const { return m_second; }
    // What the drive list offers: both volumes among others.
    const std::vector<sys::Drive> &drives() const { return m_drives; }

private:
    struct Keeper; // what holds the volumes and puts things back, for each system its own
    std::unique_ptr<Keeper> m_keeper;
    std::optional<std::string> m_problem;
    Volume m_first, m_second;
    std::vector<sys::Drive> m_drives;
};

// What the system says of a folder that is not there: its own error, as the
// program reports it.
std::error_code folderNotFound();

} // namespace testing_support
