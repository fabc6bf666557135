// The drive list.
#include "controls/drive_list.h"

#include "text/names.h"

namespace controls {

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::driveChanged);
}

QString DriveList::driveText(const sys::Drive &drive)
{
    // A drive with a letter shows it with its colon alone ("c:"), as the classic drive list does.
    QString text = text::displayName(drive.root.has_root_name() ? drive.root.root_name() : drive.root);
    if (!drive.name.empty())
        text += QStringLiteral(" [") + QString::fromStdString(drive.name) + QLatin1Char(']');
    return text;
}

void DriveList::setDrives(const std::vector<sys::Drive> &drives, const std::filesystem::path &selected)
{
    const QSignalBlocker quiet(this);
    clear();
    m_drives = drives;
    for (const sys::Drive &drive : m_drives)
        addItem(driveText(drive));
    setDrive(sys::driveOf(selected, m_drives));
}

std::filesystem::path DriveList::drive() const
{
    const int index = currentIndex();
    return index >= 0 && static_cast<std::size_t>(index) < m_drives.size() ? m_drives[static_cast<std::size_t>(index)].root
                                                                            : std::filesystem::path();
}

bool DriveList::setDrive(const std::filesystem::path &root)
{
    for (std::size_t i = 0; i < m_drives.size(); ++i) {
        if (m_drives[i].root == root) {
            setCurrentIndex(static_cast<int>(i)); // raises currentIndexChanged only on a change
            return true;
        }
    }
    return false;
}

} // namespace controls
