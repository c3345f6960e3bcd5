#include "display/RunTableWindow.h"

#include "analysis/RunTable.h"
#include "display/ChartTools.h"
#include "display/QtText.h"
#include "display/RunTableModel.h"
#include "engine/LiveState.h"
#include "engine/NumberText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Column widths are measured over this many rows: the values of a run keep their width.
constexpr int MeasuredRows = 50;
constexpr int ShownRows = 24; // the height the table opens with

} // namespace

RunTableWindow::RunTableWindow(ChartTools& tools, const LiveState& state,
                               const ControlState& controls, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool), Tools(tools), State(state), Controls(controls),
      MainWindow(mainWindow), Open(new QAction(tr("데이터 표"), this)),
      Rows(new RunTableModel(this)), Table(new QTableView(this)), Status(new QLabel(this)) {
    setObjectName(QStringLiteral("RunTableWindow"));
    setWindowTitle(tr("데이터 표"));
    Open->setObjectName(QStringLiteral("ActRunTable"));
    Open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    Open->setShortcutContext(Qt::WindowShortcut);
    connect(Open, &QAction::triggered, this, &RunTableWindow::OpenTable);
    mainWindow->addAction(Open);

    Table->setObjectName(QStringLiteral("RunTable"));
    Table->setAccessibleName(tr("데이터 표"));
    Table->setModel(Rows);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Table->setWordWrap(false);
    // Rows of one height: the view finds any row by arithmetic, however long the run.
    QHeaderView* rowHeader = Table->verticalHeader();
    rowHeader->setSectionResizeMode(QHeaderView::Fixed);
    rowHeader->setDefaultSectionSize(fontMetrics().height() + 6);
    Table->horizontalHeader()->setResizeContentsPrecision(MeasuredRows);
    Table->installEventFilter(this);
    connect(Table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &RunTableWindow::RowsSelected);
    connect(&Tools, &ChartTools::TimeRangeChanged, this, &RunTableWindow::SelectMarkedRange);

    auto* copy = new QPushButton(tr("복사"), this);
    copy->setObjectName(QStringLiteral("BtnRunTableCopy"));
    connect(copy, &QPushButton::clicked, this, &RunTableWindow::Copy);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Status);
    layout->addWidget(Table);
    layout->addWidget(copy, 0, Qt::AlignRight);
    setTabOrder(Table, copy);
}

RunTableWindow::~RunTableWindow() = default;

void RunTableWindow::Refresh() {
    if (isVisible()) Fill();
}

void RunTableWindow::OpenTable() {
    if (!isVisible()) {
        Fill();
        show();
        PlaceBesideMainWindow();
    }
    raise();
    activateWindow();
    Table->setFocus();
}

void RunTableWindow::Fill() {
    Syncing = true; // the emptied selection is the table's own, not the user's
    Rows->SetColumns(State.Logging ? std::vector<TableColumn>{}
                                   : RunTableColumns(State.Recorded, Controls.ActivePage,
                                                     Controls.UnitIndex, State.Mass));
    Syncing = false;
    const int rows = Rows->rowCount();
    if (State.Logging)
        Status->setText(tr("측정 중입니다. 측정이 끝나면 표를 채웁니다."));
    else if (rows == 0)
        Status->setText(tr("기록된 샘플이 없습니다."));
    else
        Status->setText(tr("샘플 %1개, %2 s ~ %3 s")
                            .arg(rows)
                            .arg(Text(FormatFixed(Rows->TimeOf(0), 2)),
                                 Text(FormatFixed(Rows->TimeOf(rows - 1), 2))));
    Table->resizeColumnsToContents();
    SelectMarkedRange();
}

// At the main window's right, outside it where the screen has room, else over its right side;
// never below the screen's bottom.
void RunTableWindow::PlaceBesideMainWindow() {
    const QRect window = MainWindow->frameGeometry();
    const QRect screen = MainWindow->screen()->availableGeometry();
    const int top = window.top() + 80;
    const int width =
        std::min(Table->verticalHeader()->width() + Table->horizontalHeader()->length() +
                     Table->verticalScrollBar()->sizeHint().width() + 40,
                 screen.width() * 2 / 3);
    const int height = Table->verticalHeader()->defaultSectionSize() * ShownRows + 100;
    resize(std::max(width, sizeHint().width()),
           std::max(std::min(height, screen.bottom() - top - 40), sizeHint().height()));
    const int outside = window.right() + 8;
    const int x = outside + frameGeometry().width() <= screen.right()
                      ? outside
                      : window.right() - frameGeometry().width() - 20;
    move(x, top);
}

void RunTableWindow::RowsSelected() {
    if (Syncing) return;
    int first = Rows->rowCount(), last = -1;
    for (const QItemSelectionRange& range : Table->selectionModel()->selection()) {
        first = std::min(first, range.top());
        last = std::max(last, range.bottom());
    }
    Syncing = true;
    if (last < 0)
        Tools.ClearTimeRange();
    else
        Tools.MarkTimeRange(Rows->TimeOf(first), Rows->TimeOf(last));
    Syncing = false;
}

void RunTableWindow::SelectMarkedRange() {
    if (Syncing) return;
    Syncing = true;
    const auto range = Tools.MarkedRange();
    const auto [first, last] =
        range ? Rows->RowsBetween(range->first, range->second) : std::pair{0, -1};
    if (first <= last) {
        const QItemSelection rows(Rows->index(first, 0),
                                  Rows->index(last, Rows->columnCount() - 1));
        Table->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
        Table->selectionModel()->setCurrentIndex(Rows->index(first, 0),
                                                 QItemSelectionModel::NoUpdate);
        Table->scrollTo(Rows->index(first, 0), QAbstractItemView::PositionAtTop);
    } else {
        Table->clearSelection();
    }
    Syncing = false;
}

QString RunTableWindow::StatusText() const {
    return Status->text();
}

QString RunTableWindow::SelectionText() const {
    std::vector<int> rows;
    for (const QItemSelectionRange& range : Table->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows.push_back(row);
    if (rows.empty())
        for (int row = 0; row < Rows->rowCount(); ++row)
            rows.push_back(row);
    std::ranges::sort(rows);
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return Rows->TabSeparatedRows(rows);
}

void RunTableWindow::Copy() {
    QApplication::clipboard()->setText(SelectionText());
}

// Esc closes the table as it closes a dialog.
void RunTableWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

// The view would copy its current cell alone.
bool RunTableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Table && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        Copy();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
