#include "display/LabReport.h"

#include <QFile>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <qcustomplot.h>

namespace {

// At 96 dots per inch the page is laid out in the units the charts are drawn in on screen, so a
// chart keeps its proportions and its type its size.
constexpr int Resolution = 96;
constexpr qreal MarginMm = 15.0;
constexpr int MaxChartHeight = 300;
constexpr int Gap = 10;

// Latin type from a face whose digits map back to their characters in a text search of the
// file (a CJK face's digits may be drawn from alternates that do not), Hangul from the others.
QFont ReportFont(int points, bool bold = false) {
    QFont font(QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Tahoma"),
                           QStringLiteral("Noto Sans CJK KR"), QStringLiteral("Malgun Gothic")},
               points);
    font.setBold(bold);
    // Any letter spacing turns ligatures off, so that "fit" is found and copied as typed rather
    // than as the one character "ﬁ"; a twentieth of a pixel is not seen.
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
    return font;
}

class PageWriter {
public:
    PageWriter(QPdfWriter& writer, QCPPainter& painter)
        : Writer(writer), Painter(painter), Width(painter.viewport().width()),
          Height(painter.viewport().height()) {}

    // A heading does not stay alone at the foot of a page: it goes where the block under it
    // (`below` high) goes, or to a fresh page when that block is longer than one.
    void Heading(const QString& text, int points, int below) {
        Painter.setFont(ReportFont(points, true));
        const int height = TextHeight(Painter.font(), text) + Gap / 2;
        Reserve(height + std::min(below, Height - height));
        Line(text);
        Top += Gap / 2;
    }

    void Line(const QString& text) {
        const int height = TextHeight(Painter.font(), text);
        Reserve(height);
        Painter.drawText(QRect(0, Top, Width, height), Qt::TextWordWrap, text);
        Top += height;
    }

    int TextHeight(const QFont& font, const QString& text) const {
        return QFontMetrics(font)
            .boundingRect(QRect(0, 0, Width, Height), Qt::TextWordWrap, text)
            .height();
    }

    int TableHeight(std::size_t rows, const QString& caption) const {
        return (caption.isEmpty() ? 0 : QFontMetrics(TablePlain).height()) +
               TableRowHeight() * static_cast<int>(rows);
    }

    // Rows of cells in columns as wide as their widest cell, the first row in bold.
    // A caption line, when given, goes with the table.
    void Table(const std::vector<QStringList>& rows, bool titleRow, const QString& caption = {}) {
        if (rows.empty()) return;
        std::vector<int> widths;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const QFontMetrics metrics(titleRow && r == 0 ? TableBold : TablePlain);
            for (int c = 0; c < rows[r].size(); ++c) {
                if (static_cast<std::size_t>(c) >= widths.size()) widths.push_back(0);
                widths[c] = std::max(widths[c], metrics.horizontalAdvance(rows[r][c]) + 2 * Gap);
            }
        }
        const int rowHeight = TableRowHeight();
        // A table that fits on a page is not split.
        const int whole = TableHeight(rows.size(), caption);
        if (whole <= Height) Reserve(whole);
        if (!caption.isEmpty()) {
            Painter.setFont(TablePlain);
            Line(caption);
        }
        for (std::size_t r = 0; r < rows.size(); ++r) {
            Reserve(rowHeight);
            Painter.setFont(titleRow && r == 0 ? TableBold : TablePlain);
            int left = 0;
            for (int c = 0; c < rows[r].size() && left < Width; ++c) {
                // Numbers and units line up at the right of their column, names at the left.
                const Qt::Alignment align = c == 0 ? Qt::AlignLeft : Qt::AlignRight;
                Painter.drawText(QRect(left, Top, widths[c] - Gap, rowHeight),
                                 align | Qt::AlignVCenter, rows[r][c]);
                left += widths[c];
            }
            Painter.setPen(QColor(200, 200, 200));
            Painter.drawLine(QLineF(0, Top + rowHeight, std::min(left, Width), Top + rowHeight));
            Painter.setPen(Qt::black);
            Top += rowHeight;
        }
        Top += Gap;
    }

    // The chart as it stands on screen, as vectors, scaled to the page's width or to the
    // room a chart gets; drawn at its own size, its layout stays as the screen has it.
    void Chart(QCustomPlot& plot) {
        if (plot.width() <= 0 || plot.height() <= 0) return;
        const qreal scale =
            std::min(qreal(Width) / plot.width(), qreal(MaxChartHeight) / plot.height());
        const int height = qCeil(plot.height() * scale);
        Reserve(height);
        Painter.save();
        Painter.translate(0, Top);
        Painter.scale(scale, scale);
        plot.toPainter(&Painter, plot.width(), plot.height());
        Painter.restore();
        Top += height + Gap;
    }

    void Space() { Top += Gap; }

private:
    int TableRowHeight() const { return QFontMetrics(TableBold).height() + 4; }

    void Reserve(int height) {
        if (Top + height <= Height || Top == 0) return;
        Writer.newPage();
        Top = 0;
    }

    QPdfWriter& Writer;
    QCPPainter& Painter;
    const QFont TablePlain = ReportFont(9), TableBold = ReportFont(9, true);
    int Width, Height;
    int Top = 0;
};

std::vector<QStringList> Rows(const std::vector<ReportField>& fields) {
    std::vector<QStringList> rows;
    for (const ReportField& field : fields)
        rows.push_back({field.Name, field.Value, field.Unit});
    return rows;
}

} // namespace

bool WriteLabReport(const LabReportContent& content, const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error != nullptr) *error = file.errorString();
        return false;
    }
    QPdfWriter writer(&file);
    writer.setResolution(Resolution);
    writer.setTitle(content.Title);
    writer.setCreator(QStringLiteral("Tarvik"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                     QPageLayout::Millimeter));
    // The chart library draws through its own painter class, which adds nothing to the painter's
    // state; the whole page is drawn through one.
    QCPPainter painter;
    if (!painter.begin(&writer)) {
        if (error != nullptr) *error = QStringLiteral("PDF");
        return false;
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    PageWriter page(writer, painter);
    page.Heading(content.Title, 16, 0);
    painter.setFont(ReportFont(10));
    page.Line(content.Page);
    page.Line(content.Created);
    page.Space();
    page.Line(content.NameLine);
    page.Line(content.ClassLine);
    page.Space();
    page.Heading(content.ValuesHeading, 12, page.TableHeight(content.Values.size(), {}));
    page.Table(Rows(content.Values), false);
    for (QCustomPlot* chart : content.Charts)
        page.Chart(*chart);
    page.Heading(content.SettingsHeading, 12, page.TableHeight(content.Settings.size(), {}));
    page.Table(Rows(content.Settings), false);
    if (!content.Statistics.empty()) {
        page.Heading(content.StatisticsHeading, 12,
                     page.TableHeight(content.Statistics.size(), content.StatisticsRange));
        std::vector<QStringList> rows;
        for (const auto& row : content.Statistics) {
            QStringList cells;
            for (const std::string& cell : row)
                cells << QString::fromStdString(cell);
            rows.push_back(cells);
        }
        page.Table(rows, true, content.StatisticsRange);
    }
    if (!content.Fits.isEmpty()) {
        page.Heading(content.FitsHeading, 12, page.TextHeight(ReportFont(9), content.Fits.front()));
        painter.setFont(ReportFont(9));
        for (const QString& fit : content.Fits) {
            page.Line(fit);
            page.Space();
        }
    }
    if (!painter.end() || file.error() != QFileDevice::NoError) {
        if (error != nullptr) *error = file.errorString();
        return false;
    }
    return true;
}
