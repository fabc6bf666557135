// A fresh temporary folder for one test, removed afterwards, and the working
// folder put back as the test found it.
#pragma once

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace testing_support {

class TempFolder {
public:
    TempFolder() : m_start(std::filesystem::current_path())
    {
        EXPECT_TRUE(m_dir.isValid());
        m_path = std::filesystem::path(m_dir.path().toStdString());
    }
    ~TempFolder()
    {
        std::error_code error;
        std::filesystem::current_path(m_start, error);
        // QTemporaryDir cannot remove names that are not valid text; the bytes can.
        std::filesystem::remove_all(m_path, error);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }

    // Makes a file holding `content` (its own name by default) and returns its path.
    std::filesystem::path file(const std::filesystem::path &relative, const std::string &content = {}) const
    {
        const std::filesystem::path full = m_path / relative;
        std::filesystem::create_directories(full.parent_path());
        std::ofstream(full, std::ios::binary) << (content.empty() ? relative.filename().string() : content);
        return full;
    }
    std::filesystem::path folder(const std::filesystem::path &relative) const
    {
        const std::filesystem::path full = m_path / relative;
        std::filesystem::create_directories(full);
        return full;
    }

private:
    std::filesystem::path m_start;
    QTemporaryDir m_dir;
    std::filesystem::path m_path;
};

// What a file holds.
inline std::string contentOf(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace testing_support
