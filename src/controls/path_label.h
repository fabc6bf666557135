// Label1: shows the selected folder on one line and keeps its full path in the
// system's own bytes, so that a folder whose name is not valid text is still
// reached exactly.
#pragma once

#include <QLabel>
#include <filesystem>

namespace controls {

class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(QWidget *parent = nullptr);

    const std::filesystem::path &path() const { return m_path; }
    void setPath(const std::filesystem::path &path);

private:
    std::filesystem::path m_path;
};

} // namespace controls
