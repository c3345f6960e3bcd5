#pragma once

#include "analysis/StatisticsTable.h"

#include <QWidget>

class QLabel;
class QTableWidget;

// The small table window of the range statistics: a column per curve, a row per quantity.
// It stays beside the main window without blocking it, and "복사" puts the table on the
// clipboard as tab-separated text, which a spreadsheet pastes as cells.
class StatisticsWindow : public QWidget {
    Q_OBJECT
public:
    explicit StatisticsWindow(QWidget* parent);

    void ShowTable(const MessageTable& table, const QString& rangeText);
    QString TableText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Copy();

    QLabel* Range;
    QTableWidget* Table;
    TextTable ShownTable;
};
