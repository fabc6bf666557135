// JournalStore::standard here: the user's state folder, as the XDG base directories name it.
#include "conversion/journal_store.h"

#include "text/names.h"

#include <QDir>

namespace conversion {

const char *const JournalStore::kHomeVariable = "XDG_STATE_HOME";
const char *const JournalStore::kWhere = "$XDG_STATE_HOME/mojik (既定は ~/.local/state/mojik)";

JournalStore JournalStore::standard()
{
    QString state = qEnvironmentVariable(kHomeVariable);
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return JournalStore(text::nameFromText(state) / "mojik");
}

} // namespace conversion
