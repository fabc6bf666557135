// Label1's path and caption.
#include "controls/path_label.h"

#include "text/names.h"

namespace controls {

PathLabel::PathLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void PathLabel::setPath(const std::filesystem::path &path)
{
    m_path = path;
    const QString shown = text::displayName(path);
    setText(shown);
    setToolTip(shown); // the label clips a long path; the tip shows it whole
    setAccessibleDescription(shown); // what a screen reader says after the label's name
}

} // namespace controls
