// A fresh temporary folder for one test, removed afterwards, and the working
// folder put back as the test found it.
#pragma once

#include "support/folder_contents.h"
#include "text/names.h"

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>

namespace testing_support {

class TempFolder : public FolderContents {
public:
    TempFolder() : m_start(std::filesystem::current_path())
    {
        EXPECT_TRUE(m_dir.isValid());
        m_path = text::nameFromText(QDir::toNativeSeparators(m_dir.path())); // as the system spells paths
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

private:
    std::filesystem::path m_start;
    QTemporaryDir m_dir;
};

} // namespace testing_support
