// Tests of Registry::native over advapi32: handles, return codes and sizes as the
// desktop lookup relies on them.
#include "system/registry.h"

#include "support/win_shell_folders.h"
#include "support/win_temp_folder.h"

#include <array>
#include <string>

namespace {

TEST(RegistryWin, OpensQueriesAndClosesTheShellFoldersKey)
{
    if (!testing_support::underWine())
        GTEST_SKIP() << "changes the registry: runs only in a throwaway Wine prefix";
    testing_support::ShellFolders shellFolders;
    shellFolders.setDesktop("C:\\Desk");
    const sys::Registry registry = sys::Registry::native();

    sys::RegKey key = 0;
    ASSERT_EQ(registry.openKey(sys::kHkeyCurrentUser,
                               "software\\microsoft\\windows\\currentversion\\explorer\\SHELL FOLDERS", 0, 0xF003F, &key),
              sys::kErrorSuccess);
    ASSERT_NE(key, 0u);

    const struct {
        const char *what;
        sys::RegKey key;
        const char *valueName;
        std::uint32_t size;
        long code;
        std::uint32_t sizeAfter;
        std::string text;
    } rows[] = {
        {"fits", key, "DESKTOP", 250, sys::kErrorSuccess, 8, "C:\\Desk"},
        {"exactly fits", key, "Desktop", 8, sys::kErrorSuccess, 8, "C:\\Desk"},
        {"one byte short", key, "Desktop", 7, sys::kErrorMoreData, 8, ""},
        {"missing value", key, "No Such Value", 250, sys::kErrorFileNotFound, 250, ""},
        {"no key", 0, "Desktop", 250, sys::kErrorInvalidHandle, 250, ""},
    };
    for (const auto &row : rows) {
        std::array<unsigned char, 250> buffer{};
        std::uint32_t size = row.size;
        std::uint32_t type = 0;
        EXPECT_EQ(registry.queryValue(row.key, row.valueName, nullptr, &type, buffer.data(), &size), row.code) << row.what;
        if (row.code == sys::kErrorSuccess) {
            EXPECT_EQ(type, 1u) << row.what;
            EXPECT_EQ(reinterpret_cast<const char *>(buffer.data()), row.text) << row.what;
        }
        if (row.code != sys::kErrorFileNotFound && row.code != sys::kErrorInvalidHandle) {
            EXPECT_EQ(size, row.sizeAfter) << row.what;
        }
    }
    EXPECT_EQ(registry.closeKey(key), sys::kErrorSuccess);

    sys::RegKey missing = 0x1234;
    EXPECT_EQ(registry.openKey(sys::kHkeyCurrentUser, "Software\\No\\Such\\Key", 0, 0xF003F, &missing),
              sys::kErrorFileNotFound);
    EXPECT_EQ(missing, 0u);
}

} // namespace
