#include "display/LargeValuePainter.h"

#include <QFontInfo>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextLayout>

namespace {

// The line edit's own room around its text line.
constexpr int HorizontalMargin = 2;
constexpr int VerticalMargin = 1;

// The panel's style option as the edit fills it in for its own painting.
QStyleOptionFrame PanelOption(const QLineEdit& edit) {
    QStyleOptionFrame option;
    option.initFrom(&edit);
    option.rect = edit.contentsRect();
    option.lineWidth = edit.hasFrame()
                           ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit)
                           : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (edit.isReadOnly()) option.state |= QStyle::State_ReadOnly;
    option.features = QStyleOptionFrame::None;
    return option;
}

bool Drawable(const QLineEdit& edit) {
    const bool cursor = edit.hasFocus() && !edit.isReadOnly();
    return !cursor && !edit.hasSelectedText() && !edit.text().isEmpty() &&
           edit.echoMode() == QLineEdit::Normal && edit.inputMask().isEmpty() &&
           edit.actions().isEmpty() && !edit.testAttribute(Qt::WA_StyleSheet) &&
           edit.devicePixelRatioF() == 1.0 &&
           QFontInfo(edit.font()).pixelSize() > LargeValuePainter::QtCachedGlyphLimit;
}

} // namespace

void LargeValuePainter::Watch(QLineEdit* edit) {
    edit->installEventFilter(this);
}

bool LargeValuePainter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint) return false;
    auto* edit = qobject_cast<QLineEdit*>(watched);
    return edit != nullptr && Drawable(*edit) && Paint(*edit);
}

const LargeValuePainter::Line& LargeValuePainter::LaidOut(const QLineEdit& edit) {
    LineKey key{edit.text(), edit.font(), edit.layoutDirection()};
    if (const Line* kept = Lines.object(key)) return *kept;
    QTextLayout layout(key.Text, key.Font);
    QTextOption textOption = layout.textOption();
    textOption.setTextDirection(key.Direction);
    textOption.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(textOption);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    auto laidOut =
        std::make_unique<Line>(Line{layout.glyphRuns(), line.naturalTextWidth(), line.ascent(),
                                    QFontMetrics(key.Font).boundingRect(key.Text).height()});
    const Line* kept = laidOut.get();
    Lines.insert(std::move(key), laidOut.release());
    return *kept;
}

bool LargeValuePainter::Paint(QLineEdit& edit) {
    const Line& line = LaidOut(edit);

    const QStyleOptionFrame panel = PanelOption(edit);
    const QRect contents = edit.style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, &edit)
                               .marginsRemoved(edit.textMargins());
    const QFontMetrics metrics = edit.fontMetrics();
    const int lineHeight = std::max(line.InkHeight, metrics.height());
    const Qt::Alignment alignment =
        QStyle::visualAlignment(edit.layoutDirection(), edit.alignment());
    int top = contents.y() + (contents.height() - lineHeight + 1) / 2;
    if (alignment & Qt::AlignBottom)
        top = contents.bottom() + 1 - lineHeight - VerticalMargin;
    else if (alignment & Qt::AlignTop)
        top = contents.y() + VerticalMargin;
    const QRect lineRect(contents.x() + HorizontalMargin, top,
                         contents.width() - 2 * HorizontalMargin, lineHeight);
    const int widthUsed = qRound(line.NaturalWidth) + 1;
    // A text wider than the box scrolls with the edit's cursor, which only the edit knows.
    if (widthUsed > lineRect.width()) return false;
    int scroll = 0;
    if (alignment & Qt::AlignRight)
        scroll = widthUsed - lineRect.width() + 1;
    else if (alignment & Qt::AlignHCenter)
        scroll = (widthUsed - lineRect.width()) / 2;
    // The edit keeps the baseline where the font's ascent puts it.
    const QPoint topLeft =
        lineRect.topLeft() - QPoint(scroll, qRound(line.Ascent) - metrics.ascent());

    QPainter painter(&edit);
    edit.style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, &edit);
    painter.setClipRect(contents);
    Glyphs.Draw(painter, line.Runs, topLeft, edit.palette().text().color());
    return true;
}
