// Cob1, the Save-file dialog component: it keeps its file name from one showing to
// the next, "FNAME.TXT" at first.
#pragma once

#include "platform/services.h"

namespace platform {

struct SaveDialog {
    QStringList filters;
    QString fileName = QStringLiteral("FNAME.TXT");
};

// The real Save dialog.
std::optional<QString> showSaveDialog(QWidget *parent, const SaveRequest &request);

} // namespace platform
