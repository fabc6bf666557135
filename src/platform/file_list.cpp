// The file list, its model and the order of its names.
#include "platform/file_list.h"

#include "platform/files.h"
#include "platform/names.h"

#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>

namespace platform {

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_names.size());
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || static_cast<std::size_t>(index.row()) >= m_names.size())
        return {};
    return displayName(m_names[static_cast<std::size_t>(index.row())]);
}

void FileListModel::setNames(std::vector<std::filesystem::path> names)
{
    beginResetModel();
    m_names = std::move(names);
    endResetModel();
}

namespace {

// Rows a little taller than the text: the gothic font draws "_" below its
// descent, and a row of the bare text height would cut it off (IMG_0001.JPG).
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 2);
    }
};

// The order key of a name: its case-folded text in UTF-8, whose byte order is
// the order of the code points. Most names are ASCII and need no decoding.
std::string sortKey(const std::filesystem::path &name)
{
    const auto &native = name.native();
    std::string key;
    key.reserve(native.size());
    for (const auto unit : native) {
        if (static_cast<std::uint32_t>(unit) >= 0x80)
            return displayName(name).toCaseFolded().toStdString();
        key.push_back(static_cast<char>(unit >= 'A' && unit <= 'Z' ? unit - 'A' + 'a' : unit));
    }
    return key;
}

} // namespace

void sortNames(std::vector<std::filesystem::path> &names)
{
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const auto &name : names)
        keys.push_back(sortKey(name));
    // Sorting views of the keys with positions, not whole names, keeps the moves
    // of paths to one pass and each comparison to one memory access.
    std::vector<std::pair<std::string_view, std::uint32_t>> order;
    order.reserve(names.size());
    for (std::uint32_t i = 0; i < keys.size(); ++i)
        order.emplace_back(keys[i], i);
    std::sort(order.begin(), order.end(), [&](const auto &a, const auto &b) {
        if (const int byKey = a.first.compare(b.first))
            return byKey < 0;
        return names[a.second].native() < names[b.second].native(); // equal but for case: a fixed order
    });
    std::vector<std::filesystem::path> sorted;
    sorted.reserve(names.size());
    for (const auto &[key, i] : order)
        sorted.push_back(std::move(names[i]));
    names = std::move(sorted);
}

FileList::FileList(QWidget *parent) : QListView(parent), m_model(this)
{
    setModel(&m_model);
    setItemDelegate(new RowDelegate(this));
    setUniformItemSizes(true); // lets the view skip measuring every name
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

std::error_code FileList::setPath(const std::filesystem::path &folder)
{
    m_path = folder;
    return refresh();
}

void FileList::setPathAfterFirstPaint(const std::filesystem::path &folder)
{
    m_path = folder;
    m_pending = true;
}

const std::vector<std::filesystem::path> &FileList::entries()
{
    listIfPending();
    return m_model.names();
}

void FileList::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    if (m_pending)
        QTimer::singleShot(0, this, &FileList::listIfPending);
}

void FileList::listIfPending()
{
    if (m_pending)
        refresh();
}

std::error_code FileList::refresh()
{
    m_pending = false;
    std::vector<std::filesystem::path> names;
    const std::error_code error = listFiles(m_path, names);
    if (error)
        names.clear();
    sortNames(names);
    m_model.setNames(std::move(names));
    return error;
}

} // namespace platform
