// The file list: the files of one folder, sorted by name without regard to letter
// case, kept as the system's own bytes. A model-based view, so that a folder of a
// hundred thousand files lists quickly.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <filesystem>
#include <system_error>
#include <vector>

namespace platform {

class FileListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;
    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    void setNames(std::vector<std::filesystem::path> names);
    const std::vector<std::filesystem::path> &names() const { return m_names; }

private:
    std::vector<std::filesystem::path> m_names;
};

// Sorts bare names by their text without regard to case; names equal but for case
// keep a fixed order (by their bytes).
void sortNames(std::vector<std::filesystem::path> &names);

class FileList : public QListView {
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

    const std::filesystem::path &path() const { return m_path; }
    // Lists the files of `folder`; a folder that cannot be read lists none.
    std::error_code setPath(const std::filesystem::path &folder);
    // Reads its own folder again.
    std::error_code refresh();

    int count() const { return static_cast<int>(m_model.names().size()); }
    const std::filesystem::path &entry(int index) const { return m_model.names()[static_cast<std::size_t>(index)]; }
    const std::vector<std::filesystem::path> &entries() const { return m_model.names(); }

private:
    std::filesystem::path m_path;
    FileListModel m_model;
};

} // namespace platform
