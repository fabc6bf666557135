// The drives d: and e: that scripts/wine-prefix links to empty throwaway folders
// for the tests, and the hidden variables in which the process keeps each
// drive's current folder.
#pragma once

#include "support/win_temp_folder.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace testing_support {

// d: has this label, e: none.
inline const std::string kTestDriveLabel = "データ 1";

// Whether d: and e: are linked: scripts/wine-prefix's callers say so in
// MOJIK_TEST_DRIVES. Only under Wine: on a real Windows they would be the
// user's own drives, whose roots the tests write to.
inline bool testDrivesLinked()
{
    const char *drives = std::getenv("MOJIK_TEST_DRIVES");
    return drives && std::string(drives) == "d:e:" && underWine();
}

// The per-drive variables "=C:", "=D:" and "=E:" (every drive's current folder
// but the working one's) cleared for one test, so that each drive starts at its
// root, and put back as the test found them.
class DriveVariables {
public:
    DriveVariables()
    {
        for (const wchar_t *name : kNames) {
            wchar_t value[MAX_PATH];
            const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
            m_saved.push_back(length > 0 && length < MAX_PATH ? std::optional<std::wstring>(value) : std::nullopt);
            SetEnvironmentVariableW(name, nullptr);
        }
    }
    ~DriveVariables()
    {
        for (std::size_t i = 0; i < m_saved.size(); ++i)
            SetEnvironmentVariableW(kNames[i], m_saved[i] ? m_saved[i]->c_str() : nullptr);
    }
    DriveVariables(const DriveVariables &) = delete;
    DriveVariables &operator=(const DriveVariables &) = delete;

private:
    static constexpr const wchar_t *kNames[] = {L"=C:", L"=D:", L"=E:"};
    std::vector<std::optional<std::wstring>> m_saved;
};

} // namespace testing_support
