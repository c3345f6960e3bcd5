#pragma once

#include <QMap>
#include <QRect>
#include <QTabWidget>
#include <QTest>

// Where every named control of the main window sits, page by page: "page/name" → the
// rectangle relative to the window. Only controls that can be seen on that page count, and
// not those of the tool windows it owns.
using GeometryTable = QMap<QString, QRect>;

inline GeometryTable VisibleGeometry(QWidget* window) {
    GeometryTable table;
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QCoreApplication::processEvents();
        const QString pageName = pages->widget(page)->objectName();
        for (QWidget* control : window->findChildren<QWidget*>()) {
            const QString name = control->objectName();
            if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) ||
                !control->isVisibleTo(window) || control->window() != window)
                continue;
            table.insert(pageName + QLatin1Char('/') + name,
                         QRect(control->mapTo(window, QPoint()), control->size()));
        }
    }
    return table;
}

// One line per control: "page/name x y width height".
inline QStringList GeometryLines(const GeometryTable& table) {
    QStringList lines;
    for (auto it = table.begin(); it != table.end(); ++it) {
        const QRect r = it.value();
        lines << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(it.key())
                     .arg(r.x())
                     .arg(r.y())
                     .arg(r.width())
                     .arg(r.height());
    }
    return lines;
}
