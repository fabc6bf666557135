// The file list, its model and the order of its names.
#include "platform/file_list.h"

#include "platform/files.h"
#include "platform/names.h"

#include <algorithm>
#include <numeric>

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

void sortNames(std::vector<std::filesystem::path> &names)
{
    std::vector<QString> keys;
    keys.reserve(names.size());
    for (const auto &name : names)
        keys.push_back(displayName(name).toCaseFolded());
    std::vector<std::size_t> order(names.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (const int byKey = QString::compare(keys[a], keys[b], Qt::CaseSensitive))
            return byKey < 0;
        return names[a].native() < names[b].native();
    });
    std::vector<std::filesystem::path> sorted;
    sorted.reserve(names.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(names[i]));
    names = std::move(sorted);
}

FileList::FileList(QWidget *parent) : QListView(parent), m_model(this)
{
    setModel(&m_model);
    setUniformItemSizes(true); // lets the view skip measuring every name
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

std::error_code FileList::setPath(const std::filesystem::path &folder)
{
    m_path = folder;
    return refresh();
}

std::error_code FileList::refresh()
{
    std::vector<std::filesystem::path> names;
    const std::error_code error = listFiles(m_path, names);
    if (error)
        names.clear();
    sortNames(names);
    m_model.setNames(std::move(names));
    return error;
}

} // namespace platform
