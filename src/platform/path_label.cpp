// Label1's path and caption.
#include "platform/path_label.h"

#include "platform/names.h"

namespace platform {

PathLabel::PathLabel(QWidget *parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
}

void PathLabel::setPath(const std::filesystem::path &path)
{
    m_path = path;
    const QString text = displayName(path);
    setText(text);
    setToolTip(text); // the label clips a long path; the tip shows it whole
}

} // namespace platform
