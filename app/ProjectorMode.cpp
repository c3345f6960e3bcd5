#include "app/ProjectorMode.h"

#include "app/WindowLayout.h"
#include "display/ThreeAxisKey.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QSet>
#include <QShortcut>
#include <cmath>

namespace {

// Wide enough for the longest value a live box shows.
const QString WidestValue = QStringLiteral("-00.00");

} // namespace

ProjectorMode::ProjectorMode(QMainWindow* window, ProjectorControls controls, WindowLayout& layout,
                             ThreeAxisKey& key)
    : Window(window), Layout(layout), Key(key),
      ToggleAction(new QAction(tr("프로젝터 화면"), window)),
      EscapeKey(new QShortcut(QKeySequence(Qt::Key_Escape), window)),
      Style(std::move(controls.Charts)), ValueBoxes(std::move(controls.ValueBoxes)),
      Readouts(std::move(controls.Readouts)) {
    ToggleAction->setObjectName(QStringLiteral("ActProjector"));
    ToggleAction->setCheckable(true);
    ToggleAction->setShortcut(QKeySequence(Qt::Key_F11));
    ToggleAction->setShortcutContext(Qt::WindowShortcut);
    window->addAction(ToggleAction);
    for (QLineEdit* box : ValueBoxes)
        ValuePainter.Watch(box);
    connect(ToggleAction, &QAction::toggled, this, &ProjectorMode::SetActive);
    EscapeKey->setEnabled(false);
    connect(EscapeKey, &QShortcut::activated, this, [this] { SetActive(false); });
}

void ProjectorMode::SetActive(bool on) {
    if (on == Active()) return;
    on ? Enter() : Leave();
    const QSignalBlocker blocker(ToggleAction);
    ToggleAction->setChecked(on);
    EscapeKey->setEnabled(on);
}

void ProjectorMode::Enter() {
    NormalState = Window->windowState();
    NormalGeometry = Window->normalGeometry();
    const int screenHeight = Window->screen()->geometry().height();
    auto enlarge = [this](QWidget* widget, int pixels) {
        Saved.push_back({widget, widget->font(), widget->minimumWidth()});
        QFont font = widget->font();
        font.setPixelSize(pixels);
        font.setBold(true);
        widget->setFont(font);
    };
    const int valuePixels = static_cast<int>(std::ceil(screenHeight / 15.0));
    QSet<QWidget*> panels;
    for (QLineEdit* box : ValueBoxes) {
        enlarge(box, valuePixels);
        const QMargins margins = box->textMargins() + box->contentsMargins();
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(WidestValue) + margins.left() +
                             margins.right() + 12);
        panels.insert(box->parentWidget());
    }
    // The titles and units beside the values.
    for (QWidget* panel : panels)
        for (QLabel* label : panel->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
            enlarge(label, std::max(14, screenHeight / 48));
    // A readout shown stays where it was while the chart under it changes size; the next
    // click shows it anew.
    for (QLabel* readout : Readouts) {
        enlarge(readout, valuePixels);
        readout->hide();
    }
    emit ChartTextPixels(std::max(14, screenHeight / 30));
    Style.Apply(screenHeight);
    Key.Refresh();
    Layout.SetFitContents(true);
    // Without a window manager (a kiosk session) nobody answers the request for full screen;
    // the window then takes the screen's size itself.
    Window->setGeometry(Window->screen()->geometry());
    Window->showFullScreen();
}

void ProjectorMode::Leave() {
    for (const Looks& looks : Saved) {
        looks.Widget->setFont(looks.Font);
        looks.Widget->setMinimumWidth(looks.MinimumWidth);
    }
    Saved.clear();
    for (QLabel* readout : Readouts)
        readout->hide();
    emit ChartTextPixels(0);
    Style.Restore();
    Key.Refresh();
    Layout.SetFitContents(false);
    Window->setWindowState(NormalState & ~Qt::WindowFullScreen);
    if (!(NormalState & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        Window->setGeometry(NormalGeometry);
}
