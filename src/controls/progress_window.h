// The window a long run shows over the main window: how many names are done of
// how many, and the one being renamed. It has no cancel: a run ends at its end
// or at a refused rename.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace controls {

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    ProgressWindow(QWidget *parent, int total);

    // Shows the count and the name, and lets the window paint itself.
    void step(int done, const QString &name);

public slots:
    void reject() override; // Esc and the close box do not end a run

private:
    QLabel *m_label;
    QProgressBar *m_bar;
    int m_total;
};

} // namespace controls
