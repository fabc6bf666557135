// ProgressWindow: the modal sign of life of a long run.
#include "controls/progress_window.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace controls {

ProgressWindow::ProgressWindow(QWidget *parent, int total)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_label(new QLabel(this)),
      m_bar(new QProgressBar(this)), m_total(total)
{
    setObjectName(QStringLiteral("progress"));
    setWindowTitle(QStringLiteral("Mojik"));
    // Modal: no other input reaches the main window, so the case cannot change mid-run.
    setWindowModality(Qt::WindowModal);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setMinimumWidth(320);
    m_bar->setRange(0, total);
    auto *stop = new QPushButton(QStringLiteral("中止"), this);
    stop->setObjectName(QStringLiteral("stop"));
    stop->setAutoDefault(false); // Enter stops nothing: only a click on the button does
    connect(stop, &QPushButton::clicked, this, [this, stop] {
        m_stop = true;
        stop->setEnabled(false);
    });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(stop, 0, Qt::AlignRight);
}

void ProgressWindow::step(int done, const QString &name)
{
    m_label->setText(QStringLiteral("ファイル名を変更しています： %1 / %2\n%3").arg(done).arg(m_total).arg(name));
    m_bar->setValue(done);
    if (!isVisible())
        show();
    // Paints the window; being modal, it lets no input reach the main window.
    QApplication::processEvents();
}

void ProgressWindow::reject() {}

} // namespace controls
