// The message box: modal, no icon, the title "Mojik"; Yes before No and the default.
#pragma once

#include "controls/services.h"

namespace controls {

// Shows `prompt`, a carriage return breaking its lines, and waits for the answer.
// The Yes/No box answers only Yes or No: Esc and the close box do nothing.
// Non-empty `details` come behind a button of their own, closed at first.
Answer showMessage(QWidget *parent, const QString &prompt, Buttons buttons, const QString &details = {});

} // namespace controls
