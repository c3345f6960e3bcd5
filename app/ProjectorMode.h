#pragma once

#include "display/ProjectorStyle.h"

#include <QFont>
#include <QObject>
#include <QRect>
#include <vector>

class QAction;
class QCustomPlot;
class QLineEdit;
class QMainWindow;
class QShortcut;
class ThreeAxisKey;
class WindowLayout;

// What projector mode enlarges: the charts, and the boxes the measurement writes on the pages
// with a value column.
struct ProjectorControls {
    std::vector<QCustomPlot*> Charts;
    std::vector<QLineEdit*> ValueBoxes;
};

// Projector mode, for a class reading the screen from the back of the room: the window fills
// the screen, the live value boxes use type a fifteenth of the screen's height (their titles
// and units a 48th), the charts the projector style. F11 switches it, Esc leaves it, and
// leaving puts every look back. It lasts until the program ends and is not stored.
class ProjectorMode : public QObject {
    Q_OBJECT
public:
    ProjectorMode(QMainWindow* window, ProjectorControls controls, WindowLayout& layout,
                  ThreeAxisKey& key);

    // The checkable entry for menus, with the F11 shortcut.
    QAction* Toggle() const { return ToggleAction; }
    bool Active() const { return Style.Applied(); }
    void SetActive(bool on);

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
    std::vector<Looks> Saved;
    Qt::WindowStates NormalState;
    QRect NormalGeometry;
};
