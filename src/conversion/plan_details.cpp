// planDetails: the plan as the window's question shows it before anything changes.
#include "conversion/plan_details.h"

#include "conversion/report.h"
#include "text/names.h"

#include <algorithm>

namespace conversion {

namespace {

// The line on the names a run leaves as they are, in the words of what it does.
QString alreadyText(const Conversions &conversions)
{
    if (conversions.steps() == std::vector{Conversion::Upper})
        return QStringLiteral("\r%1 個のファイルは、既に大文字です。");
    if (conversions.steps() == std::vector{Conversion::Lower})
        return QStringLiteral("\r%1 個のファイルは、既に小文字です。");
    return QStringLiteral("\r%1 個のファイルは、変換しても名前が変わりません。");
}

} // namespace

QString planDetails(const std::vector<std::filesystem::path> &listed, const Plan &plan, const Conversions &conversions,
                    std::size_t lines)
{
    const auto changing = static_cast<std::size_t>(std::count(plan.rename.begin(), plan.rename.end(), true));
    const std::size_t left = plan.skipped.size();
    const std::size_t already = listed.size() - changing - left;

    QString details = changing ? QStringLiteral("%1 個のファイル名を変更します。").arg(changing)
                               : QStringLiteral("変更するファイル名はありません。");
    if (left)
        details += QStringLiteral("\r%1 個のファイルは、名前を変更しません。").arg(left);
    if (already)
        details += alreadyText(conversions).arg(already);
    if (changing + left)
        details += QLatin1Char('\r');

    // The plan's skips come in the list's order, so one pass interleaves them with the renames.
    std::size_t shown = 0;
    auto skip = plan.skipped.begin();
    for (std::size_t i = 0; i < listed.size() && shown < lines; ++i) {
        if (plan.rename[i]) {
            details += QLatin1Char('\r') + text::displayName(listed[i]) + QStringLiteral(" → ")
                       + text::displayName(plan.newNames[i]);
            ++shown;
        } else if (skip != plan.skipped.end() && skip->name.native() == listed[i].native()) {
            details += QLatin1Char('\r') + skipText(*skip++);
            ++shown;
        }
    }
    if (changing + left > shown)
        details += QStringLiteral("\rほか %1 個").arg(changing + left - shown);
    return details;
}

} // namespace conversion
