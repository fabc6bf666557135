// Two volumes as two folders of a temporary folder, "/" listed before them.
#include "support/two_volumes.h"

#include "support/temp_folder.h"

namespace testing_support {

struct TwoVolumes::Keeper {
    TempFolder folder;
};

TwoVolumes::TwoVolumes() : m_keeper(std::make_unique<Keeper>())
{
    const std::filesystem::path c = m_keeper->folder.folder("C");
    const std::filesystem::path d = m_keeper->folder.folder("D");
    m_first = {c, c, QString::fromStdString(c.string()) + QStringLiteral(" [CDRIVE]")};
    m_second = {d, d, QString::fromStdString(d.string())};
    m_drives = {{"/", {}}, {c, "CDRIVE"}, {d, {}}};
}

TwoVolumes::~TwoVolumes() = default;

std::error_code folderNotFound()
{
    return std::make_error_code(std::errc::no_such_file_or_directory);
}

} // namespace testing_support
