// The drive list: the mounted volumes, one selected.
#pragma once

#include "system/drives.h"

#include <QComboBox>

namespace controls {

class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget *parent = nullptr);

    // Fills the list; selects the drive of `selected` without raising driveChanged.
    void setDrives(const std::vector<sys::Drive> &drives, const std::filesystem::path &selected);
    // The selected drive's root; empty when none is selected.
    std::filesystem::path drive() const;
    // Selects the listed drive whose root is `root`. Raises driveChanged, before it
    // returns, only when the selection really changes. False when it is not listed.
    bool setDrive(const std::filesystem::path &root);

    // "/" or "/media/usb [LABEL]"; on Windows "c: [LABEL]".
    static QString driveText(const sys::Drive &drive);

signals:
    void driveChanged();

private:
    std::vector<sys::Drive> m_drives;
};

} // namespace controls
