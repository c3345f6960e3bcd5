#pragma once

#include <QObject>

class QWidget;

// Gives the keys back to the main window when one of its own windows (the note, the data table,
// the statistics and fit windows, the replay bar, a file dialog) closes and leaves no window
// active, as a system without a window manager does: else the next key, Ctrl+T say, reaches
// nothing. A window that closes while another program has the keys takes nothing from it.
class FocusReturn : public QObject {
    Q_OBJECT
public:
    explicit FocusReturn(QWidget* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MainWindow;
};
