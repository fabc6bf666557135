// The message box: modal, no icon, the title "Mojik"; Yes before No and the default.
#pragma once

#include "platform/services.h"

namespace platform {

Answer showMessage(QWidget *parent, const QString &prompt, Buttons buttons);

} // namespace platform
