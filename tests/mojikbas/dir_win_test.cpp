// Tests of dir against the real registry of a throwaway Wine prefix, in code page 932.
#include "mojikbas/dir.h"

#include "system/ansi.h"

#include "support/win_shell_folders.h"
#include "support/win_temp_folder.h"

#include <string>

namespace {

template <typename Text>
Text repeated(const Text &piece, int times)
{
    Text text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(MojikbasDirWin, ReadsTheDesktopValueWhenItFitsIn250Bytes)
{
    if (!testing_support::underWine())
        GTEST_SKIP() << "changes the registry: runs only in a throwaway Wine prefix";
    ASSERT_EQ(GetACP(), 932u) << "run under a Japanese locale (LANG=ja_JP.UTF-8) so that Wine's ANSI code page is 932";

    const std::string a = "a";
    const std::wstring wa = L"a";
    const std::string de = "\x83\x66"; // デ in code page 932
    const std::wstring wde = L"デ";
    enum class Setup { value, expandValue, noValue, noKey };
    const struct {
        const char *what;
        Setup setup;
        std::string bytes;     // without the NUL
        std::wstring expected; // empty for ""
    } rows[] = {
        {"a plain folder", Setup::value, "C:\\WINDOWS\\Desktop", L"C:\\WINDOWS\\Desktop"},
        {"249 bytes with its NUL", Setup::value, "C:\\" + repeated(a, 245), L"C:\\" + repeated(wa, 245)},
        {"250 bytes with its NUL", Setup::value, "C:\\" + repeated(a, 246), L"C:\\" + repeated(wa, 246)},
        {"251 bytes with its NUL", Setup::value, "C:\\" + repeated(a, 247), L""},
        {"126 characters, 250 bytes with its NUL", Setup::value, "C:\\" + repeated(de, 123),
         L"C:\\" + repeated(wde, 123)},
        {"127 characters, 251 bytes with its NUL", Setup::value, "C:\\" + repeated(de, 123) + "a", L""},
        {"stored as REG_EXPAND_SZ", Setup::expandValue, "C:\\Desk", L"C:\\Desk"},
        {"a missing value", Setup::noValue, "", L""},
        {"a missing key", Setup::noKey, "", L""},
    };
    for (const auto &row : rows) {
        testing_support::ShellFolders shellFolders;
        switch (row.setup) {
        case Setup::value:
            shellFolders.setDesktop(row.bytes);
            break;
        case Setup::expandValue:
            shellFolders.setDesktop(row.bytes, REG_EXPAND_SZ);
            break;
        case Setup::noValue:
            shellFolders.setDesktop("C:\\Desk");
            shellFolders.removeDesktop();
            break;
        case Setup::noKey:
            shellFolders.removeKey();
            break;
        }
        EXPECT_EQ(mojikbas::dir().native(), row.expected) << row.what;

        // The setting behind it, read whole whatever its length.
        using State = mojikbas::DesktopSetting::State;
        const mojikbas::DesktopSetting setting = mojikbas::desktopSetting();
        const bool stored = row.setup == Setup::value || row.setup == Setup::expandValue;
        const State state = !stored ? State::missing : row.bytes.size() + 1 > 250 ? State::tooLong : State::fits;
        EXPECT_EQ(setting.state, state) << row.what;
        EXPECT_EQ(setting.path, stored ? sys::pathFromAnsi(row.bytes) : std::filesystem::path()) << row.what;
    }
}

} // namespace
