// showSaveDialog: the real Save dialog.
#include "controls/save_dialog.h"

#include <QDir>
#include <QFileDialog>

namespace controls {

std::optional<QString> showSaveDialog(QWidget *parent, const SaveRequest &request)
{
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.filters);
    if (!request.filters.isEmpty())
        dialog.selectNameFilter(request.filters.first());
    // Qt's dialog takes "/": a full path with "\" is not seen to lie in the
    // folder shown until that folder has been read, and the name box then
    // proposes the whole path rather than the name.
    dialog.setDirectory(QDir::fromNativeSeparators(request.folder));
    // A full path opens its own folder with its name proposed.
    dialog.selectFile(QDir::fromNativeSeparators(request.fileName));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    // Qt's dialog answers with "/"; a Windows user's messages name the path with "\".
    return QDir::toNativeSeparators(chosen.first());
}

} // namespace controls
