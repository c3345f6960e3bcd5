#pragma once

#include "engine/MeasurementView.h"

#include <QWidget>

class ChartTools;
class QAction;
class QLabel;
class QTableView;
class RunTableModel;
struct LiveState;

// The data table: the run's samples as rows, in a window of its own beside the main window that
// does not block it, opened from the charts' menu or with Ctrl+T. Selected rows mark their time
// range on the charts and a range marked on a chart selects its rows; Ctrl+C and "복사" copy the
// selected rows (all rows when none is) with the title row as tab-separated text. The table is
// filled from the recording as a whole when it opens and when the recording, the unit or the
// page changes; during a run it waits for the run's end instead of following each sample.
class RunTableWindow : public QWidget {
    Q_OBJECT
public:
    RunTableWindow(ChartTools& tools, const LiveState& state, const ControlState& controls,
                   QWidget* mainWindow);
    ~RunTableWindow() override;

    QAction* OpenAction() const { return Open; }
    // The recording changed as a whole: a shown table is filled anew.
    void Refresh();

    const RunTableModel& Model() const { return *Rows; }
    QTableView* View() const { return Table; }
    QString StatusText() const;
    // What Ctrl+C puts on the clipboard.
    QString SelectionText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OpenTable();
    void Fill();
    void PlaceBesideMainWindow();
    void RowsSelected();
    void SelectMarkedRange();
    void Copy();

    ChartTools& Tools;
    const LiveState& State;
    const ControlState& Controls;
    QWidget* MainWindow;
    QAction* Open;
    RunTableModel* Rows;
    QTableView* Table;
    QLabel* Status;
    bool Syncing = false; // the selection or the chart's range is being set from the other
};
