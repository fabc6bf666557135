// Command2_Click: the listing of the folder's file names, written to the file
// chosen in the Save dialog.
#include "window/mojik.h"

#include "listing/listing.h"
#include "controls/file_list.h"
#include "controls/folder_list.h"
#include "text/names.h"
#include "text/reason.h"

#include <QSaveFile>

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

    const auto failed = [&](const QString &reason) {
        message(QStringLiteral("%1 に書き込めませんでした。\r%2").arg(*chosen, reason));
    };
    // The file list keeps the names it showed at the click.
    std::string bytes;
    error = listing::listingBytes(Dir1->path(), File1->entries(), bytes);
    if (error) {
        failed(text::reasonText(error));
        return;
    }
    // The listing goes to a temporary file beside the chosen one and takes its
    // place only once all of it is written, so a failure leaves the old file whole.
    QSaveFile file(*chosen);
    const auto size = static_cast<qint64>(bytes.size());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), size) != size || !file.commit())
        failed(file.errorString());
}
