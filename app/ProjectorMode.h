#pragma once

#include "display/LargeValuePainter.h"
#include "display/ProjectorStyle.h"

#include <QFont>
#include <QObject>
#include <QRect>
#include <vector>

class QAction;
class QCustomPlot;
class QLabel;
class QLineEdit;
class QMainWindow;
class QShortcut;
class ThreeAxisKey;
class WindowLayout;

// What projector mode enlarges: the charts, the boxes with the pages' results and the chart's
// readout labels.
struct ProjectorControls {
    std::vector<QCustomPlot*> Charts;
    std::vector<QLineEdit*> ValueBoxes;
    std::vector<QLabel*> Readouts;
};

// Projector mode, for a class reading the screen from the back of the room: the window fills
// the screen, the result boxes and the chart readout use type a fifteenth of the screen's
// height (the boxes' titles and units a 48th), the charts the projector style, and text drawn
// on a chart (the fit's lines) a thirtieth, as the chart titles. F11 switches it, Esc leaves
// it, and leaving puts every look back. It lasts until the program ends and is not stored.
class ProjectorMode : public QObject {
    Q_OBJECT
public:
    ProjectorMode(QMainWindow* window, ProjectorControls controls, WindowLayout& layout,
                  ThreeAxisKey& key);

    // The checkable entry for menus, with the F11 shortcut.
    QAction* Toggle() const { return ToggleAction; }
    bool Active() const { return Style.Applied(); }
    void SetActive(bool on);

signals:
    // The type size in pixels for text the chart tools draw on a chart; 0 for their own.
    void ChartTextPixels(int pixels);

private:
    void Enter();
    void Leave();

    QMainWindow* Window;
    WindowLayout& Layout;
    ThreeAxisKey& Key;
    QAction* ToggleAction;
    QShortcut* EscapeKey;
    ProjectorStyle Style;
    struct Looks {
        QWidget* Widget;
        QFont Font;
        int MinimumWidth;
    };
    std::vector<QLineEdit*> ValueBoxes;
    std::vector<QLabel*> Readouts;
    // Draws the enlarged values from glyph images.
    LargeValuePainter ValuePainter;
    std::vector<Looks> Saved;
    Qt::WindowStates NormalState;
    QRect NormalGeometry;
};
