// Command2_Click: the listing of the folder's file names, written to the file
// chosen in the Save dialog.
#include "window/mojik.h"

#include "listing/listing.h"
#include "controls/file_list.h"
#include "controls/folder_list.h"
#include "text/names.h"
#include "text/reason.h"

void MOJIK::Command2_Click()
{
    Cob1.filters = {QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ (*.txt)"), QStringLiteral("All Files (*)")};
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    const std::optional<QString> chosen =
        m_services.saveFile(this, {text::displayName(here), Cob1.fileName, Cob1.filters});
    if (!chosen)
        return;
    Cob1.fileName = *chosen;
    if (chosen->size() < 4)
        return;

    // The file list keeps the names it showed at the click.
    error = listing::writeListing(text::nameFromText(*chosen), Dir1->path(), File1->entries());
    if (error)
        message(QStringLiteral("%1 に書き込めませんでした。\r%2").arg(*chosen, text::reasonText(error)));
}
