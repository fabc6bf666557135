// The message box: modal, no icon, the title "Mojik"; Yes before No and the default.
#pragma once

#include "controls/services.h"

namespace controls {

// Shows `prompt`, a carriage return breaking its lines, and waits for the answer.
// The Yes/No box answers only Yes or No: Esc and the close box do nothing.
Answer showMessage(QWidget *parent, const QString &prompt, Buttons buttons);

} // namespace controls
