// The folder list: ancestors, the shown folder and its subfolders, each level
// indented one step, as the classic folder list draws them.
#include "controls/folder_list.h"

#include "system/files.h"
#include "system/paths.h"
#include "text/name_order.h"
#include "text/names.h"

#include <QFocusFrame>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>
#include <ranges>

namespace controls {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLevelRole = Qt::UserRole + 1;
constexpr int kIndent = 12;

class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.setLeft(option.rect.left() + index.data(kLevelRole).toInt() * kIndent);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.rwidth() += index.data(kLevelRole).toInt() * kIndent;
        return size;
    }
};


std::vector<std::filesystem::path> subfolders(const std::filesystem::path &folder)
{
    std::vector<std::filesystem::path> names;
    if (sys::listFolders(folder, names))
        names.clear(); // a folder that cannot be read shows no subfolders
    text::sortNames(names);
    return names;
}

} // namespace

FolderList::FolderList(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QListWidget::itemDoubleClicked, this, &FolderList::openItem);
}

FolderList::~FolderList()
{
    delete m_focusFrame;
}

void FolderList::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    if (!m_focusFrame) {
        m_focusFrame = new QFocusFrame(this);
        QPalette palette = m_focusFrame->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::Highlight));
        m_focusFrame->setPalette(palette);
    }
    m_focusFrame->setWidget(this); // moves to the list's parent, round the list
}

void FolderList::focusOutEvent(QFocusEvent *event)
{
    QListWidget::focusOutEvent(event);
    if (m_focusFrame)
        m_focusFrame->setWidget(nullptr);
}

void FolderList::setDriveOf(std::function<std::filesystem::path(const std::filesystem::path &)> driveOf)
{
    m_driveOf = std::move(driveOf);
}

std::error_code FolderList::setPath(const std::filesystem::path &folder)
{
    return showFolder(folder, true);
}

std::error_code FolderList::setPathAfterFirstPaint(const std::filesystem::path &folder)
{
    return showFolder(folder, false);
}

std::error_code FolderList::showFolder(const std::filesystem::path &folder, bool subfoldersNow)
{
    const std::filesystem::path target = sys::plainFolder(folder);
    std::error_code error;
    if (!std::filesystem::is_directory(target, error))
        return error ? error : std::make_error_code(std::errc::not_a_directory);
    if (sys::sameFolder(target, m_path))
        return {};
    m_path = target;
    fill(subfoldersNow);
    emit pathChanged();
    return {};
}

void FolderList::fill(bool subfoldersNow)
{
    clear();
    std::filesystem::path root = m_driveOf ? m_driveOf(m_path) : std::filesystem::path();
    if (root.empty())
        root = m_path.root_path();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    m_items.clear();
    int level = 0;
    std::filesystem::path at = root;
    addRow(open, text::displayName(root), root, level);
    // The parts below the root, past as many parts as the root has: the path may
    // spell its drive in the other case (D: for d:), which no comparison of the
    // two as text would take for the same drive.
    const auto isPart = [](const std::filesystem::path &part) { return !part.empty() && part != "."; };
    auto below = m_path.begin();
    for (auto rootParts = std::ranges::count_if(root, isPart); rootParts > 0 && below != m_path.end(); ++below)
        rootParts -= isPart(*below);
    for (const auto &part : std::ranges::subrange(below, m_path.end())) {
        if (!isPart(part))
            continue;
        at /= part;
        addRow(open, text::displayName(part), at, ++level);
    }
    setCurrentRow(count() - 1);
    m_subfoldersPending = !subfoldersNow;
    if (subfoldersNow)
        addSubfolders();
}

void FolderList::addSubfolders()
{
    m_subfoldersPending = false;
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const int level = count(); // one below the shown folder, the last of the rows so far
    for (const auto &name : subfolders(m_path))
        addRow(closed, text::displayName(name), m_path / name, level);
}

void FolderList::addRow(const QIcon &icon, const QString &text, const std::filesystem::path &path, int level)
{
    auto *item = new QListWidgetItem(icon, text, this);
    item->setData(kPathRole, QVariant::fromValue(static_cast<qulonglong>(m_items.size())));
    item->setData(kLevelRole, level);
    m_items.push_back(path);
}

void FolderList::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    if (m_subfoldersPending)
        QTimer::singleShot(0, this, &FolderList::listSubfoldersIfPending);
}

void FolderList::listSubfoldersIfPending()
{
    if (m_subfoldersPending)
        addSubfolders();
}

void FolderList::openItem(QListWidgetItem *item)
{
    if (!item)
        return;
    const auto index = item->data(kPathRole).toULongLong();
    if (index < m_items.size())
        setPath(std::filesystem::path(m_items[index]));
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openItem(currentItem());
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace controls
