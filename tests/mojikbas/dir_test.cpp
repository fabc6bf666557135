// Tests of dir against a registry that keeps the size rules of the ANSI query.
#include "mojikbas/dir.h"
#include "system/ansi.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr sys::RegKey kOpened = 0x1234;

// One Shell Folders key, perhaps with a Desktop value, and every call dir makes.
struct FakeRegistry {
    FakeRegistry(bool keyExists, std::optional<std::string> value, std::uint32_t storedType = 1)
        : keyExists(keyExists), value(std::move(value)), storedType(storedType)
    {
    }

    bool keyExists;
    std::optional<std::string> value; // without its terminating NUL
    std::uint32_t storedType;

    struct Open {
        sys::RegKey key;
        std::string subKey;
        std::uint32_t options;
        std::uint32_t access;
    };
    struct Query {
        sys::RegKey key;
        std::string valueName;
        bool reserved;
        std::uint32_t type;
        std::uint32_t size;
        bool bufferZeroed;
    };
    std::vector<Open> opens;
    std::vector<Query> queries;
    std::vector<sys::RegKey> closes;

    sys::Registry registry()
    {
        return {[this](sys::RegKey key, const char *subKey, std::uint32_t options, std::uint32_t access,
                       sys::RegKey *result) {
                    opens.push_back({key, subKey, options, access});
                    if (!keyExists)
                        return sys::kErrorFileNotFound;
                    *result = kOpened;
                    return sys::kErrorSuccess;
                },
                [this](sys::RegKey key, const char *valueName, std::uint32_t *reserved, std::uint32_t *type,
                       unsigned char *data, std::uint32_t *size) {
                    queries.push_back({key, valueName, reserved != nullptr, *type, *size,
                                       std::all_of(data, data + *size, [](unsigned char c) { return c == 0; })});
                    if (key != kOpened)
                        return sys::kErrorInvalidHandle;
                    if (!value)
                        return sys::kErrorFileNotFound;
                    *type = storedType;
                    const std::string stored = *value + '\0';
                    // Too small: the size needed comes back, and the buffer holds what it may.
                    const bool fits = *size >= stored.size();
                    std::copy_n(stored.begin(), std::min<std::size_t>(*size, stored.size()), data);
                    *size = static_cast<std::uint32_t>(stored.size());
                    return fits ? sys::kErrorSuccess : sys::kErrorMoreData;
                },
                [this](sys::RegKey key) {
                    closes.push_back(key);
                    return key == kOpened ? sys::kErrorSuccess : sys::kErrorInvalidHandle;
                }};
    }
};

std::string repeated(std::string_view piece, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(MojikbasDir, ReturnsTheValueOnlyWhenItFitsIn250Bytes)
{
    const std::string folder = "/home/user/Desktop";
    const std::string desktop = "デ"; // three bytes in UTF-8
    struct Case {
        const char *what;
        bool keyExists;
        std::optional<std::string> value;
        std::uint32_t storedType;
        std::string expected;
    } cases[] = {
        {"a plain folder", true, folder, 1, folder},
        {"249 bytes with its NUL", true, std::string("/").append(247, 'a'), 1, std::string("/").append(247, 'a')},
        {"250 bytes with its NUL", true, std::string("/").append(248, 'a'), 1, std::string("/").append(248, 'a')},
        {"251 bytes with its NUL", true, std::string("/").append(249, 'a'), 1, ""},
        {"83 Japanese characters, 250 bytes with its NUL", true, repeated(desktop, 83), 1, repeated(desktop, 83)},
        {"83 Japanese characters and one byte more", true, repeated(desktop, 83) + "a", 1, ""},
        {"a value stored as another type", true, folder, 2, folder},
        {"a missing value", true, std::nullopt, 1, ""},
        {"a missing key", false, folder, 1, ""},
    };
    for (const Case &c : cases) {
        FakeRegistry fake{c.keyExists, c.value, c.storedType};
        // The value is in the ANSI code page, whatever the system spells paths in.
        EXPECT_EQ(mojikbas::dir(fake.registry()), sys::pathFromAnsi(c.expected)) << c.what;
    }
}

TEST(MojikbasDir, OpensQueriesAndClosesTheShellFoldersKeyOnce)
{
    for (const bool keyExists : {true, false}) {
        FakeRegistry fake{keyExists, "/home/user/Desktop"};
        mojikbas::dir(fake.registry());

        ASSERT_EQ(fake.opens.size(), 1u);
        EXPECT_EQ(fake.opens[0].key, 0x80000001u);
        EXPECT_EQ(fake.opens[0].subKey, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders");
        EXPECT_EQ(fake.opens[0].options, 0u);
        EXPECT_EQ(fake.opens[0].access, 0xF003Fu);

        // A key that did not open is queried and closed as handle 0.
        const sys::RegKey handle = keyExists ? kOpened : 0;
        ASSERT_EQ(fake.queries.size(), 1u);
        EXPECT_EQ(fake.queries[0].key, handle);
        EXPECT_EQ(fake.queries[0].valueName, "Desktop");
        EXPECT_FALSE(fake.queries[0].reserved);
        EXPECT_EQ(fake.queries[0].type, 1u);
        EXPECT_EQ(fake.queries[0].size, 250u);
        EXPECT_TRUE(fake.queries[0].bufferZeroed);
        EXPECT_EQ(fake.closes, std::vector<sys::RegKey>{handle});
    }
}

} // namespace
