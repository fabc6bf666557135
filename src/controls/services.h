// What the window takes from outside itself: the modal boxes and dialogs, and the
// parts that differ by machine. Filled with the real ones by default, with
// lambdas in tests.
#pragma once

#include "system/drives.h"
#include "system/registry.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace controls {

enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

struct SaveRequest {
    QString folder;      // where the dialog opens
    QString fileName;    // the name or full path it proposes
    QStringList filters; // file types, the first one selected
};

struct Services {
    // The message box: title "Mojik", no icon; Yes/No can only be answered by a
    // button. Non-empty `details` are shown on request below the prompt.
    std::function<Answer(QWidget *parent, const QString &prompt, Buttons buttons, const QString &details)> message;
    // The Save dialog: the chosen full path, or nothing when cancelled.
    std::function<std::optional<QString>(QWidget *parent, const SaveRequest &request)> saveFile;
    sys::DriveLister drives;
    sys::Registry registry;
    // How long a run goes before it shows its progress window, and how often the
    // window is painted (and 中止 looked at) after that.
    int progressAfterMs = 500;
    int progressEveryMs = 100;

    static Services native();
};

} // namespace controls
