#include "display/StatisticsWindow.h"

#include "display/QtText.h"
#include "display/ShownText.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

StatisticsWindow::StatisticsWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool), Range(new QLabel(this)), Table(new QTableWidget(this)) {
    setObjectName(QStringLiteral("StatisticsWindow"));
    setWindowTitle(tr("구간 통계"));
    auto* copy = new QPushButton(tr("복사"), this);
    copy->setObjectName(QStringLiteral("BtnStatisticsCopy"));
    connect(copy, &QPushButton::clicked, this, &StatisticsWindow::Copy);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Range);
    layout->addWidget(Table);
    layout->addWidget(copy, 0, Qt::AlignRight);
}

// Esc closes the table as it closes a dialog.
void StatisticsWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void StatisticsWindow::ShowTable(const MessageTable& coreTable, const QString& rangeText) {
    const TextTable table =
        TextOf(coreTable, [](const Message& cell) { return Std(ShownText(cell)); });
    ShownTable = table;
    Range->setText(rangeText);
    if (table.empty()) return;
    const int columns = static_cast<int>(table[0].size()) - 1;
    Table->setColumnCount(columns);
    Table->setRowCount(static_cast<int>(table.size()) - 1);
    for (int c = 0; c < columns; ++c)
        Table->setHorizontalHeaderItem(c, new QTableWidgetItem(Text(table[0][c + 1])));
    for (int r = 1; r < static_cast<int>(table.size()); ++r) {
        Table->setVerticalHeaderItem(r - 1, new QTableWidgetItem(Text(table[r][0])));
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem(Text(table[r].at(c + 1)));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            Table->setItem(r - 1, c, item);
        }
    }
    Table->resizeColumnsToContents();
    // As large as the table, so a few curves need no scrolling.
    const int frame = 2 * Table->frameWidth() + 2;
    Table->setMinimumSize(std::min(Table->verticalHeader()->sizeHint().width() +
                                       Table->horizontalHeader()->length() + frame,
                                   900),
                          std::min(Table->horizontalHeader()->sizeHint().height() +
                                       Table->verticalHeader()->length() + frame,
                                   600));
    adjustSize();
}

QString StatisticsWindow::TableText() const {
    return Text(TabSeparated(ShownTable));
}

void StatisticsWindow::Copy() {
    QApplication::clipboard()->setText(TableText());
}
