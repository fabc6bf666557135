// Services::native: the real message box, Save dialog, volumes and registry.
#include "controls/services.h"

#include "controls/message_box.h"
#include "controls/save_dialog.h"

namespace controls {

Services Services::native()
{
    Services services;
    services.message = showMessage;
    services.saveFile = showSaveDialog;
    services.drives = sys::mountedDrives;
    services.registry = sys::Registry::native();
    return services;
}

} // namespace controls
