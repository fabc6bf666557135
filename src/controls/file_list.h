// The file list: the files of one folder, sorted by name without regard to letter
// case, kept as the system's own bytes. A model-based view, so that a folder of a
// hundred thousand files lists quickly.
#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <filesystem>
#include <system_error>
#include <vector>

namespace controls {

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

class FileList : public QListView {
    Q_OBJECT
public:
    explicit FileList(QWidget *parent = nullptr);

    const std::filesystem::path &path() const { return m_path; }
    // Lists the files of `folder`; a folder that cannot be read lists none.
    std::error_code setPath(const std::filesystem::path &folder);
    // Lists `folder` right after the list is first painted, so that a window on a
    // huge folder shows at once; asking for the entries before that lists it then.
    void setPathAfterFirstPaint(const std::filesystem::path &folder);
    // Reads its own folder again.
    std::error_code refresh();

    // The names listed, in their order; read at once if still pending.
    const std::vector<std::filesystem::path> &entries();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void listIfPending();

    std::filesystem::path m_path;
    FileListModel m_model;
    bool m_pending = false; // the folder is set but not read yet
};

} // namespace controls
