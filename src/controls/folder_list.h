// The folder list: the shown folder's ancestors from its drive's root, the folder
// itself open and selected, then its subfolders. Opening one shows it.
#pragma once

#include <QListWidget>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

class QFocusFrame;

namespace controls {

// Drawn flat, the list would show no sign of the keyboard focus; while it has
// it, a frame in the highlight colour stands round it.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget *parent = nullptr);
    ~FolderList() override;

    // The full path of the shown folder.
    const std::filesystem::path &path() const { return m_path; }
    // Shows `folder`. Raises pathChanged, before it returns, only when the shown
    // folder really changes. Fails, showing what it showed, when it is no folder.
    std::error_code setPath(const std::filesystem::path &folder);
    // The same, but the folder's subfolders are read only once the list has been
    // painted: a huge folder then keeps the window from appearing no longer than
    // an empty one does.
    std::error_code setPathAfterFirstPaint(const std::filesystem::path &folder);
    // Reads the subfolders now if the first paint has not brought them yet.
    void listSubfoldersIfPending();
    // Tells the drive, whose root the ancestors are listed from, of a path.
    void setDriveOf(std::function<std::filesystem::path(const std::filesystem::path &)> driveOf);

signals:
    void pathChanged();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    std::error_code showFolder(const std::filesystem::path &folder, bool subfoldersNow);
    void fill(bool subfoldersNow);
    void addSubfolders();
    void addRow(const QIcon &icon, const QString &text, const std::filesystem::path &path, int level);
    void openItem(QListWidgetItem *item);

    std::filesystem::path m_path;
    std::function<std::filesystem::path(const std::filesystem::path &)> m_driveOf;
    std::vector<std::filesystem::path> m_items; // the full path of each row, in the system's own bytes
    QPointer<QFocusFrame> m_focusFrame; // stands beside the list, in its parent, which may delete it first
    bool m_subfoldersPending = false;
};

} // namespace controls
