// The file list and its model.
#include "controls/file_list.h"

#include "system/files.h"
#include "text/name_order.h"
#include "text/names.h"

#include <QHelpEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>

namespace controls {

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_names.size());
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || static_cast<std::size_t>(index.row()) >= m_names.size())
        return {};
    return text::displayName(m_names[static_cast<std::size_t>(index.row())]);
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
// A name too long for its row, which the row cuts off, shows whole in a tip.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 2);
    }
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override
    {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        const QRect shown = option.rect.intersected(view->viewport()->rect());
        if (sizeHint(option, index).width() > shown.width())
            QToolTip::showText(event->globalPos(), index.data().toString(), view->viewport(), shown);
        else
            QToolTip::hideText();
        return true;
    }
};

} // namespace

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
    const std::error_code error = sys::listFiles(m_path, names);
    if (error)
        names.clear();
    text::sortNames(names);
    m_model.setNames(std::move(names));
    return error;
}

} // namespace controls
