#include "display/ThreeAxisKey.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <qcustomplot.h>

ThreeAxisKey::ThreeAxisKey(QCheckBox* threeAxis, QCustomPlot* chart)
    : Box(threeAxis), Chart(chart), Label(new QLabel(threeAxis->parentWidget())) {
    Label->setObjectName(QStringLiteral("LblAxisKey"));
    Label->setTextFormat(Qt::RichText);
    Label->hide();
    // In the box's row, at the right where the unit labels stand.
    if (auto* grid = qobject_cast<QGridLayout*>(Box->parentWidget()->layout())) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(grid->indexOf(Box), &row, &column, &rows, &columns);
        grid->addWidget(Label, row, grid->columnCount() - 1, Qt::AlignRight | Qt::AlignVCenter);
    }
    Refresh();
    connect(Box, &QCheckBox::toggled, this, &ThreeAxisKey::UpdateVisibility);
    Box->installEventFilter(this);
}

// The box itself is hidden until the device has sent a Y sample.
bool ThreeAxisKey::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Box &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent))
        UpdateVisibility();
    return QObject::eventFilter(watched, event);
}

void ThreeAxisKey::UpdateVisibility() {
    Label->setVisible(Box->isChecked() && !Box->isHidden());
}

void ThreeAxisKey::Refresh() {
    QString text;
    const char* const axes[] = {"X", "Y", "Z"};
    for (int series = 0; series < 3 && series < Chart->graphCount(); ++series)
        text += QStringLiteral("<span style=\"color:%1\">%2</span>&nbsp;")
                    .arg(Chart->graph(series)->pen().color().name(), QLatin1String(axes[series]));
    Label->setText(QStringLiteral("<b>") + text.chopped(6) + QStringLiteral("</b>"));
}
