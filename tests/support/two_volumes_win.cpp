// Two volumes as the drives d: and e:, among the logical drives the system lists.
#include "support/two_volumes.h"

#include "support/win_test_drives.h"
#include "system/paths.h"

#include <set>

namespace testing_support {

namespace {

std::set<std::filesystem::path> namesIn(const std::filesystem::path &root)
{
    std::set<std::filesystem::path> names;
    std::error_code error;
    for (const auto &entry : std::filesystem::directory_iterator(root, error))
        names.insert(entry.path().filename());
    return names;
}

} // namespace

struct TwoVolumes::Keeper {
    std::filesystem::path start = std::filesystem::current_path();
    DriveVariables variables;
    // What each root held before the test: Wine keeps d:'s label in a file there.
    std::vector<std::pair<std::filesystem::path, std::set<std::filesystem::path>>> before;
};

TwoVolumes::TwoVolumes() : m_keeper(std::make_unique<Keeper>())
{
    if (!testDrivesLinked()) {
        m_problem = "needs drives d: and e: linked by scripts/wine-prefix (MOJIK_TEST_DRIVES=d:e:)";
        return;
    }
    m_first = {sys::plainFolder(L"d:\\"), L"d:\\", QStringLiteral("d: [%1]").arg(QString::fromStdString(kTestDriveLabel))};
    m_second = {sys::plainFolder(L"e:\\"), L"e:\\", QStringLiteral("e:")};
    m_drives = sys::mountedDrives();
    for (const Volume *volume : {&m_first, &m_second})
        m_keeper->before.emplace_back(volume->folder, namesIn(volume->folder));
}

TwoVolumes::~TwoVolumes()
{
    std::error_code error;
    std::filesystem::current_path(m_keeper->start, error); // no folder that is the working one can go
    for (const auto &[root, names] : m_keeper->before) {
        for (const std::filesystem::path &name : namesIn(root)) {
            if (!names.contains(name))
                std::filesystem::remove_all(root / name, error);
        }
    }
}

std::error_code folderNotFound()
{
    return {ERROR_FILE_NOT_FOUND, std::system_category()};
}

} // namespace testing_support
