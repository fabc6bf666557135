// Services::native: the real message box, Save dialog, volumes and registry.
#include "platform/services.h"

#include "platform/message_box.h"
#include "platform/save_dialog.h"

namespace platform {

Services Services::native()
{
    return {showMessage, showSaveDialog, mountedDrives, Registry::native(), 500};
}

} // namespace platform
