// The window a long run shows over the main window: how many names are done of
// how many, the one being renamed, and 中止, which stops the run between two
// renames. Esc and the close box do nothing: a stop is asked for by name.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace controls {

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    ProgressWindow(QWidget *parent, int total);

    // Shows the count and the name, and lets the window paint itself and take a
    // click on 中止.
    void step(int done, const QString &name);
    bool stopRequested() const { return m_stop; }

public slots:
    void reject() override; // Esc and the close box do not end a run

private:
    QLabel *m_label;
    QProgressBar *m_bar;
    int m_total;
    bool m_stop = false;
};

} // namespace controls
