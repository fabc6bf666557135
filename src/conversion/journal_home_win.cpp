// JournalStore::standard on Windows: the user's local application data, where
// Windows programs keep what belongs to one user on one machine.
#include "conversion/journal_store.h"

#include "text/names.h"

#include <QDir>
#include <QStandardPaths>

namespace conversion {

const char *const JournalStore::kHomeVariable = "LOCALAPPDATA";
const char *const JournalStore::kWhere = "%LOCALAPPDATA%\\mojik";

JournalStore JournalStore::standard()
{
    QString local = qEnvironmentVariable(kHomeVariable);
    if (local.isEmpty() || !QDir::isAbsolutePath(local))
        local = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return JournalStore(text::nameFromText(local) / "mojik");
}

} // namespace conversion
