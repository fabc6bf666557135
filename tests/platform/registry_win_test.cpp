// Tests of Registry::native over advapi32: handles, return codes and sizes as the
// desktop lookup relies on them.
#include "platform/registry.h"

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
    const platform::Registry registry = platform::Registry::native();

    platform::RegKey key = 0;
    ASSERT_EQ(registry.openKey(platform::kHkeyCurrentUser,
                               "software\\microsoft\\windows\\currentversion\\explorer\\SHELL FOLDERS", 0, 0xF003F, &key),
              platform::kErrorSuccess);
    ASSERT_NE(key, 0u);

    const struct {
        const char *what;
        platform::RegKey key;
        const char *valueName;
        std::uint32_t size;
        long code;
        std::uint32_t sizeAfter;
        std::string text;
    } rows[] = {
        {"fits", key, "DESKTOP", 250, platform::kErrorSuccess, 8, "C:\\Desk"},
        {"exactly fits", key, "Desktop", 8, platform::kErrorSuccess, 8, "C:\\Desk"},
        {"one byte short", key, "Desktop", 7, platform::kErrorMoreData, 8, ""},
        {"missing value", key, "No Such Value", 250, platform::kErrorFileNotFound, 250, ""},
        {"no key", 0, "Desktop", 250, platform::kErrorInvalidHandle, 250, ""},
    };
    for (const auto &row : rows) {
        std::array<unsigned char, 250> buffer{};
        std::uint32_t size = row.size;
        std::uint32_t type = 0;
        EXPECT_EQ(registry.queryValue(row.key, row.valueName, nullptr, &type, buffer.data(), &size), row.code) << row.what;
        if (row.code == platform::kErrorSuccess) {
            EXPECT_EQ(type, 1u) << row.what;
            EXPECT_EQ(reinterpret_cast<const char *>(buffer.data()), row.text) << row.what;
        }
        if (row.code != platform::kErrorFileNotFound && row.code != platform::kErrorInvalidHandle) {
            EXPECT_EQ(size, row.sizeAfter) << row.what;
        }
    }
    EXPECT_EQ(registry.closeKey(key), platform::kErrorSuccess);

    platform::RegKey missing = 0x1234;
    EXPECT_EQ(registry.openKey(platform::kHkeyCurrentUser, "Software\\No\\Such\\Key", 0, 0xF003F, &missing),
              platform::kErrorFileNotFound);
    EXPECT_EQ(missing, 0u);
}

} // namespace
