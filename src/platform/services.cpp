// Services::native: the real message box, Save dialog, volumes and registry.
#include "platform/services.h"

#include "platform/message_box.h"
#include "platform/save_dialog.h"

namespace platform {

Services Services::native()
{
    Services services;
    services.message = showMessage;
    services.saveFile = showSaveDialog;
    services.drives = mountedDrives;
    services.registry = Registry::native();
    return services;
}

} // namespace platform
