#include "app/FocusReturn.h"

#include <QApplication>
#include <QChildEvent>
#include <QWidget>

FocusReturn::FocusReturn(QWidget* mainWindow) : QObject(mainWindow), MainWindow(mainWindow) {
    mainWindow->installEventFilter(this);
    for (QWidget* child : mainWindow->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isWindow()) child->installEventFilter(this);
}

bool FocusReturn::eventFilter(QObject* watched, QEvent* event) {
    if (watched == MainWindow) {
        // Windows made later, a dialog's for one, are children of the main window too.
        if (event->type() == QEvent::ChildAdded)
            if (QObject* child = static_cast<QChildEvent*>(event)->child(); child->isWidgetType())
                child->installEventFilter(this);
    } else if (event->type() == QEvent::Hide && static_cast<QWidget*>(watched)->isWindow() &&
               MainWindow->isVisible() &&
               QGuiApplication::applicationState() == Qt::ApplicationActive) {
        // Asked for at once: a window shown right after, the replay bar after its file dialog,
        // asks later and has the keys.
        const QWidget* active = QApplication::activeWindow();
        if (active == nullptr || active == watched) MainWindow->activateWindow();
    }
    return QObject::eventFilter(watched, event);
}
