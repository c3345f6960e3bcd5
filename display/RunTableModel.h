#pragma once

#include "analysis/RunTable.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <utility>
#include <vector>

// The data table's cells over the columns of a run. A cell's text is made when the view asks
// for it, so that a full recording opens and scrolls without a row made ahead.
class RunTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // The columns of the run now shown, the first of them the time.
    void SetColumns(std::vector<TableColumn> columns);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    double TimeOf(int row) const;
    // The first and last row whose time lies in [from, to]; first > last when none does.
    std::pair<int, int> RowsBetween(double from, double to) const;
    // The title row and the rows given, in their order, as tab-separated lines.
    QString TabSeparatedRows(const std::vector<int>& rows) const;

private:
    QString Cell(int row, int column) const;

    std::vector<TableColumn> Columns;
    QStringList Titles;
};
