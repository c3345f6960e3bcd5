#include "display/RunTableModel.h"

#include "analysis/StatisticsTable.h"
#include "display/QtText.h"
#include "display/ShownText.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

// Four decimals are finer than the sensor's step in either unit; the time keeps its own three.
constexpr int ShownDecimals = 4;
// A sample's time is the period added up, a little off its round value: a range ending at 1.5 s
// holds the sample of 1.5000000000000009 s.
constexpr double TimeTolerance = 1e-9;

} // namespace

void RunTableModel::SetColumns(std::vector<TableColumn> columns) {
    beginResetModel();
    Columns = std::move(columns);
    Titles.clear();
    for (const TableColumn& column : Columns)
        Titles << ShownText(column.Title);
    endResetModel();
}

int RunTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || Columns.empty() ? 0 : static_cast<int>(Columns[0].Values.size());
}

int RunTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Columns.size());
}

QString RunTableModel::Cell(int row, int column) const {
    const TableColumn& shown = Columns[column];
    if (row >= static_cast<int>(shown.Values.size()) || !std::isfinite(shown.Values[row]))
        return {};
    return Text(FormatFixed(shown.Values[row], std::min(shown.Decimals, ShownDecimals)));
}

QVariant RunTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return Cell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant RunTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return Titles.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

double RunTableModel::TimeOf(int row) const {
    return Columns.at(0).Values.at(row);
}

std::pair<int, int> RunTableModel::RowsBetween(double from, double to) const {
    if (Columns.empty()) return {0, -1};
    const std::vector<double>& times = Columns[0].Values;
    const auto first = std::lower_bound(times.begin(), times.end(), from - TimeTolerance);
    const auto end = std::upper_bound(times.begin(), times.end(), to + TimeTolerance);
    return {static_cast<int>(first - times.begin()), static_cast<int>(end - times.begin()) - 1};
}

QString RunTableModel::TabSeparatedRows(const std::vector<int>& rows) const {
    TextTable table(1);
    for (const QString& title : Titles)
        table[0].push_back(Std(title));
    for (const int row : rows) {
        std::vector<std::string>& cells = table.emplace_back();
        for (int column = 0; column < columnCount(); ++column)
            cells.push_back(Std(Cell(row, column)));
    }
    return Text(TabSeparated(table));
}
