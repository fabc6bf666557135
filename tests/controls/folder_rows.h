// The rows a folder list shows, top first, for the tests of the folder list.
#pragma once

#include "controls/folder_list.h"

#include <QStringList>

namespace folder_list_testing {

inline QStringList rowsOf(const controls::FolderList &list)
{
    QStringList rows;
    for (int i = 0; i < list.count(); ++i)
        rows << list.item(i)->text();
    return rows;
}

} // namespace folder_list_testing
