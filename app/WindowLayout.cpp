#include "app/WindowLayout.h"

#include "display/ChartSet.h"

#include <QEvent>
#include <QTabWidget>
#include <algorithm>

namespace {

// Space between the charts and the value column, and between the panels of the column.
constexpr int ColumnGap = 6;
// Charts start this far from the page's left edge.
constexpr int ChartLeft = 2;

} // namespace

WindowLayout::WindowLayout(const WindowLayoutControls& controls, QWidget* window)
    : Controls(controls), FormSize(window->size()) {
    Pages = {Controls.TabAccelo, Controls.TabAngle, Controls.TabPendulum, Controls.TabSpeed,
             Controls.TabLab};
    ColumnPanels = Controls.ColumnPanels;
    for (QWidget* panel : ColumnPanels)
        FormGeometry.insert(panel, panel->geometry());
    for (QWidget* widget : std::initializer_list<QWidget*>{
             Controls.TopBar, Controls.PageControl1, Controls.DirectionBar, Controls.Messages})
        FormGeometry.insert(widget, widget->geometry());
    Controls.Central->installEventFilter(this);
    for (QWidget* page : Pages)
        page->installEventFilter(this);
}

bool WindowLayout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && !Placing) {
        if (watched == Controls.Central) PlaceWindowEdges();
        // Only the page shown is resized by the page control; the others follow it, so that
        // a page handler finds every page at the size it will be shown.
        if (watched == Controls.PageControl1->currentWidget()) {
            Placing = true;
            const QRect shown = Controls.PageControl1->currentWidget()->geometry();
            for (QWidget* page : Pages)
                if (page->geometry() != shown) page->setGeometry(shown);
            Placing = false;
            PlacePages();
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowLayout::Place(QWidget* widget, const QRect& rect) {
    if (widget->geometry() != rect) widget->setGeometry(rect);
}

void WindowLayout::PlaceWindowEdges() {
    const QSize grown = Controls.Central->size() - FormSize;
    const int dx = std::max(0, grown.width());
    const int dy = std::max(0, grown.height());
    Place(Controls.TopBar, FormGeometry[Controls.TopBar].adjusted(0, 0, dx, 0));
    const int messagesGrow = MessagesGrowth(dy);
    Place(Controls.PageControl1,
          FormGeometry[Controls.PageControl1].adjusted(0, 0, dx, dy - messagesGrow));
    Place(Controls.DirectionBar, FormGeometry[Controls.DirectionBar].translated(dx, 0));
    Place(Controls.Messages,
          FormGeometry[Controls.Messages].translated(0, dy).adjusted(0, -messagesGrow, dx, 0));
}

// The message area takes a quarter of the height the window gains, until it shows eight lines:
// enough for the advice given when no device answers.
int WindowLayout::MessagesGrowth(int grownHeight) const {
    constexpr int Lines = 8;
    QWidget* messages = Controls.Messages;
    const int chrome = messages->height() - messages->contentsRect().height();
    const int wanted = Lines * messages->fontMetrics().lineSpacing() + chrome + 8;
    return std::clamp(wanted - FormGeometry.value(messages).height(), 0, grownHeight / 4);
}

// One width on every page, so that the column does not jump when the page changes; never
// more than half the page.
int WindowLayout::ColumnWidth(int pageWidth) const {
    int width = FormGeometry[Controls.PnlAccValue].width();
    if (FitContents)
        for (QWidget* panel : ColumnPanels)
            width = std::max(width, panel->minimumSizeHint().width());
    return std::min(width, pageWidth / 2);
}

// The panels keep their order and the gaps between them; fitting its contents, a panel that
// needs more height than the form gives it pushes the ones below it down, and a panel that
// would then run off the page goes into a row along the bottom of the page, under the
// charts and as wide as they are. Returns the room left for the charts.
WindowLayout::ChartRoom WindowLayout::PlaceColumn(QWidget* page, int columnX, int columnWidth) {
    std::vector<QWidget*> column;
    for (QWidget* panel : ColumnPanels)
        if (panel->parentWidget() == page) column.push_back(panel);
    std::sort(column.begin(), column.end(), [this](QWidget* a, QWidget* b) {
        return FormGeometry[a].top() < FormGeometry[b].top();
    });
    std::vector<std::pair<QWidget*, int>> bottomRow; // with their heights
    int pushedDown = 0;
    for (QWidget* panel : column) {
        const QRect form = FormGeometry[panel];
        const int height = FitContents ? std::max(form.height(), panel->minimumSizeHint().height())
                                       : form.height();
        const int top = form.top() + pushedDown;
        if (FitContents && panel != column.front() && top + height > page->height()) {
            bottomRow.emplace_back(panel, height);
            continue;
        }
        Place(panel, QRect(columnX, top, columnWidth, height));
        pushedDown += height - form.height();
    }
    ChartRoom room{columnX - ColumnGap - ChartLeft, page->height()};
    int rowHeight = 0;
    for (const auto& [panel, height] : bottomRow)
        rowHeight = std::max(rowHeight, height);
    const int count = static_cast<int>(bottomRow.size());
    const int spare = count == 0 ? 0 : room.Width - count * columnWidth - (count - 1) * ColumnGap;
    int left = ChartLeft;
    for (int i = 0; i < count; ++i) {
        const int width = columnWidth + std::max(0, spare) / count;
        Place(bottomRow[i].first, QRect(left, page->height() - 1 - rowHeight, width, rowHeight));
        left += width + ColumnGap;
    }
    if (rowHeight > 0) room.Height -= rowHeight + ColumnGap;
    return room;
}

void WindowLayout::SetFitContents(bool fit) {
    FitContents = fit;
    PlacePages();
}

void WindowLayout::PlacePages() {
    const QSize page = Controls.PageControl1->currentWidget()->size();
    if (page.isEmpty()) return; // not laid out yet
    const int grownWidth =
        std::max(0, Controls.PageControl1->width() - FormGeometry[Controls.PageControl1].width());
    const int columnWidth = ColumnWidth(page.width());
    const QRect formColumn = FormGeometry[Controls.PnlAccValue];
    const int columnX = formColumn.left() + grownWidth - (columnWidth - formColumn.width());
    QHash<QWidget*, ChartRoom> room;
    for (QWidget* each : Pages)
        room[each] = PlaceColumn(each, columnX, columnWidth);
    const ChartRoom tilt = room[Controls.TabAngle];
    Place(Controls.Chart3, QRect(ChartLeft, 0, tilt.Width, tilt.Height - 1));
    // The acceleration chart fills the page that shows it; the velocity page shares its
    // height with the velocity chart below.
    QWidget* chartPanel = Controls.PnlAccChart;
    const ChartRoom shown = room[chartPanel->parentWidget()];
    const ChartRoom speed = room[Controls.TabSpeed];
    if (chartPanel->parentWidget() == Controls.TabSpeed) {
        const int half = speed.Height / 2;
        Place(chartPanel, QRect(ChartLeft, chartPanel->y(), speed.Width, half));
        Place(Controls.PnlSpeed, QRect(ChartLeft, half + 3, speed.Width, half - 3));
    } else {
        Place(chartPanel, QRect(ChartLeft, chartPanel->y(), shown.Width, shown.Height - 1));
        Place(Controls.PnlSpeed,
              QRect(ChartLeft, Controls.PnlSpeed->y(), speed.Width, Controls.PnlSpeed->height()));
    }
}

static void MovePanel(QWidget* panel, QWidget* page) {
    if (panel->parentWidget() != page) panel->setParent(page);
    panel->show();
}

// The acceleration chart and the value panels live on whichever page shows them.
void WindowLayout::ShowPage(Page page, ChartSet& charts, bool threeAxis) {
    QWidget* chartPanel = Controls.PnlAccChart;
    switch (page) {
    case Page::TabAccelo:
        MovePanel(Controls.PnlOffset, Controls.TabAccelo);
        MovePanel(Controls.PnlAccValue, Controls.TabAccelo);
        MovePanel(chartPanel, Controls.TabAccelo);
        charts.SetLeftMinorGridVisible(true);
        // The force axis goes with the force curve, which three-axis mode does not draw.
        charts.SetRightAxisVisible(!threeAxis);
        break;
    case Page::TabAngle:
        MovePanel(Controls.PnlOffset, Controls.TabAngle);
        break;
    case Page::TabPendulum:
        charts.SetLeftMinorGridVisible(true);
        charts.SetRightAxisVisible(false);
        MovePanel(chartPanel, Controls.TabPendulum);
        break;
    case Page::TabSpeed:
        charts.SetLeftMinorGridVisible(false);
        charts.SetRightAxisVisible(false);
        MovePanel(Controls.PnlAccValue, Controls.TabSpeed);
        MovePanel(chartPanel, Controls.TabSpeed);
        break;
    case Page::TabLab:
        break;
    }
    // Heights follow the page: the whole page, or half of it on the velocity page.
    PlacePages();
}
