// Files and folders made inside one test folder, and what a file holds: what the
// temporary folders of both test programs share. Standard library only.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace testing_support {

class FolderContents {
public:
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

protected:
    std::filesystem::path m_path; // set by the folder that makes it
};

// Files and folders made in a folder that is there already (on a mounted medium, say).
class FolderAt : public FolderContents {
public:
    explicit FolderAt(std::filesystem::path path = {}) { m_path = std::move(path); }
};

// What a file holds.
inline std::string contentOf(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace testing_support
