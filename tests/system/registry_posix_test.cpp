// Tests of the registry layer used where the system has none: the desktop folder
// as the desktop environment defines it, under the ANSI query's return codes.
#include "system/registry.h"
#include "support/temp_folder.h"

#include <QByteArray>
#include <array>
#include <optional>
#include <string>

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// HOME and XDG_CONFIG_HOME for one test, put back as they were afterwards.
class Environment {
public:
    Environment() : m_home(saved("HOME")), m_config(saved("XDG_CONFIG_HOME")) {}
    ~Environment()
    {
        restore("HOME", m_home);
        restore("XDG_CONFIG_HOME", m_config);
    }
    Environment(const Environment &) = delete;
    Environment &operator=(const Environment &) = delete;

    void set(const char *name, const std::filesystem::path &value) { qputenv(name, QByteArray::fromStdString(value.native())); }
    void unset(const char *name) { qunsetenv(name); }

private:
    static std::optional<QByteArray> saved(const char *name)
    {
        return qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    }
    static void restore(const char *name, const std::optional<QByteArray> &value)
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }

    std::optional<QByteArray> m_home;
    std::optional<QByteArray> m_config;
};

struct Answer {
    long code;
    std::uint32_t size;
    std::string text;
};

Answer queryDesktop(const sys::Registry &registry, std::uint32_t size = 250)
{
    sys::RegKey key = 0;
    EXPECT_EQ(registry.openKey(sys::kHkeyCurrentUser, kShellFolders, 0, 0xF003F, &key), sys::kErrorSuccess);
    std::array<unsigned char, 1024> buffer{};
    std::uint32_t type = 0;
    const long code = registry.queryValue(key, "Desktop", nullptr, &type, buffer.data(), &size);
    EXPECT_EQ(registry.closeKey(key), sys::kErrorSuccess);
    if (code == sys::kErrorSuccess) {
        EXPECT_EQ(type, 1u);
    }
    return {code, size, reinterpret_cast<const char *>(buffer.data())};
}

TEST(RegistryPosix, DesktopFolderFollowsUserDirs)
{
    struct Case {
        const char *what;
        std::optional<std::string> userDirs; // ROOT stands for the temporary folder
        bool configHomeSet;
        std::vector<std::string> folders;    // made under ROOT
        std::vector<std::string> files;      // made under ROOT
        std::optional<std::string> expected; // under ROOT; nothing for no value
    } cases[] = {
        {"a folder below $HOME", "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n", true, {"home/デスクトップ", "home/Desktop"}, {},
         "home/デスクトップ"},
        {"the file under $HOME/.config", "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n", false, {"home/デスクトップ"}, {},
         "home/デスクトップ"},
        {"comments and other folders around it",
         "# XDG_DESKTOP_DIR=\"$HOME/wrong\"\nXDG_DOWNLOAD_DIR=\"$HOME/wrong\"\n  XDG_DESKTOP_DIR = \"$HOME/my\\\"desk\"\n",
         true, {"home/wrong", "home/my\"desk"}, {}, "home/my\"desk"},
        {"an absolute folder", "XDG_DESKTOP_DIR=\"ROOT/elsewhere\"\n", true, {"elsewhere"}, {}, "elsewhere"},
        {"$HOME itself", "XDG_DESKTOP_DIR=\"$HOME\"\n", true, {"home"}, {}, "home"},
        // A path is kept whether or not its folder is there, as in a registry.
        {"a configured folder that is missing", "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n", true, {"home/Desktop"}, {},
         "home/デスクトップ"},
        {"no file", std::nullopt, true, {"home/Desktop"}, {}, "home/Desktop"},
        {"no file and no Desktop folder", std::nullopt, true, {"home"}, {}, "home/Desktop"},
        {"a Desktop that is a file", std::nullopt, true, {}, {"home/Desktop"}, "home/Desktop"},
        {"no home folder", std::nullopt, true, {}, {}, std::nullopt},
    };
    for (const Case &c : cases) {
        testing_support::TempFolder temp;
        const std::string root = temp.path().native();
        Environment environment;
        if (c.expected)
            environment.set("HOME", temp.path() / "home");
        else
            environment.unset("HOME");
        if (c.configHomeSet)
            environment.set("XDG_CONFIG_HOME", temp.path() / "config");
        else
            environment.unset("XDG_CONFIG_HOME");
        for (const std::string &folder : c.folders)
            temp.folder(folder);
        for (const std::string &file : c.files)
            temp.file(file);
        if (c.userDirs) {
            std::string content = *c.userDirs;
            if (const std::size_t at = content.find("ROOT"); at != std::string::npos)
                content.replace(at, 4, root);
            temp.file(c.configHomeSet ? "config/user-dirs.dirs" : "home/.config/user-dirs.dirs", content);
        }

        const Answer answer = queryDesktop(sys::Registry::native());
        if (c.expected) {
            const std::string expected = (temp.path() / *c.expected).native();
            EXPECT_EQ(answer.code, sys::kErrorSuccess) << c.what;
            EXPECT_EQ(answer.text, expected) << c.what;
            EXPECT_EQ(answer.size, expected.size() + 1) << c.what;
        } else {
            EXPECT_EQ(answer.code, sys::kErrorFileNotFound) << c.what;
        }
    }
}

TEST(RegistryPosix, BufferTooSmallGivesTheSizeNeeded)
{
    testing_support::TempFolder temp;
    Environment environment;
    environment.set("HOME", temp.path());
    environment.set("XDG_CONFIG_HOME", temp.path() / "config");
    const std::string desktop = temp.folder("デスクトップ").native();
    temp.file("config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n");
    const auto needed = static_cast<std::uint32_t>(desktop.size() + 1);

    const Answer small = queryDesktop(sys::Registry::native(), needed - 1);
    EXPECT_EQ(small.code, sys::kErrorMoreData);
    EXPECT_EQ(small.size, needed);
    const Answer exact = queryDesktop(sys::Registry::native(), needed);
    EXPECT_EQ(exact.code, sys::kErrorSuccess);
    EXPECT_EQ(exact.text, desktop);
}

TEST(RegistryPosix, ReturnCodes)
{
    testing_support::TempFolder temp;
    Environment environment;
    environment.set("HOME", temp.path());
    environment.unset("XDG_CONFIG_HOME");
    temp.folder("Desktop");
    const sys::Registry registry = sys::Registry::native();

    sys::RegKey key = 0;
    EXPECT_EQ(registry.openKey(sys::kHkeyCurrentUser, "Software\\Microsoft\\Windows", 0, 0xF003F, &key),
              sys::kErrorFileNotFound);
    EXPECT_EQ(key, 0u);
    EXPECT_EQ(registry.openKey(sys::kHkeyCurrentUser,
                               "software\\microsoft\\windows\\currentversion\\explorer\\SHELL FOLDERS", 0, 0xF003F, &key),
              sys::kErrorSuccess);
    ASSERT_NE(key, 0u);

    struct Case {
        sys::RegKey key;
        const char *valueName;
        long expected;
    } cases[] = {
        {key, "DESKTOP", sys::kErrorSuccess},
        {key, "Personal", sys::kErrorFileNotFound},
        {0, "Desktop", sys::kErrorInvalidHandle},
        {key + 1, "Desktop", sys::kErrorInvalidHandle},
    };
    for (const Case &c : cases) {
        std::array<unsigned char, 250> buffer{};
        std::uint32_t size = buffer.size();
        std::uint32_t type = 1;
        EXPECT_EQ(registry.queryValue(c.key, c.valueName, nullptr, &type, buffer.data(), &size), c.expected) << c.valueName;
    }

    EXPECT_EQ(registry.closeKey(key + 1), sys::kErrorInvalidHandle);
    EXPECT_EQ(registry.closeKey(key), sys::kErrorSuccess);
    EXPECT_EQ(registry.closeKey(key), sys::kErrorInvalidHandle);
    EXPECT_EQ(registry.closeKey(0), sys::kErrorInvalidHandle);
}

} // namespace
