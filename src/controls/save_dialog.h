// Cob1, the Save-file dialog component: it keeps its file name from one showing to
// the next, "FNAME.TXT" at first, then the full path last chosen.
#pragma once

#include "controls/services.h"

namespace controls {

struct SaveDialog {
    QStringList filters; // file types for the next showing, the first one selected
    QString fileName = QStringLiteral("FNAME.TXT");
};

// The real Save dialog, Qt's own so that Qt's translation gives its title and
// buttons: no default extension, no question when an existing file is chosen.
// The chosen full path, or nothing when cancelled.
std::optional<QString> showSaveDialog(QWidget *parent, const SaveRequest &request);

} // namespace controls
