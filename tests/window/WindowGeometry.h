#pragma once

#include <QMap>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTabWidget>
#include <QTest>
#include <QWidget>

// Where every named control of the main window sits, page by page: "page/name" → the
// rectangle relative to the window. Only controls that can be seen on that page count.
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
                !control->isVisibleTo(window))
                continue;
            table.insert(pageName + QLatin1Char('/') + name,
                         QRect(control->mapTo(window, QPoint()), control->size()));
        }
    }
    return table;
}

// One line per control: "page/name x y width height".
inline QString GeometryText(const GeometryTable& table) {
    QString text;
    for (auto it = table.begin(); it != table.end(); ++it) {
        const QRect r = it.value();
        text += QStringLiteral("%1 %2 %3 %4 %5\n")
                    .arg(it.key())
                    .arg(r.x())
                    .arg(r.y())
                    .arg(r.width())
                    .arg(r.height());
    }
    return text;
}

inline GeometryTable ParseGeometry(const QString& text) {
    GeometryTable table;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList f = line.split(QLatin1Char(' '));
        if (f.size() == 5)
            table.insert(f[0], QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt()));
    }
    return table;
}
