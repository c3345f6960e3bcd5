#include "display/GlyphImages.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

// Glyph positions come in 64ths of a pixel.
constexpr int Subpixels = 64;

// The whole-pixel part of a position and its remainder in 64ths.
std::pair<int, int> Split(qreal position) {
    const int whole = static_cast<int>(std::floor(position));
    const int rest = static_cast<int>(std::lround((position - whole) * Subpixels));
    return rest == Subpixels ? std::pair(whole + 1, 0) : std::pair(whole, rest);
}

} // namespace

void GlyphImages::Draw(QPainter& painter, const QList<QGlyphRun>& runs, QPointF origin,
                       const QColor& colour) {
    for (const QGlyphRun& run : runs) {
        const QRawFont font = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            const auto [x, subX] = Split(origin.x() + positions[i].x());
            const auto [y, subY] = Split(origin.y() + positions[i].y());
            const Glyph& glyph = Find({font, indexes[i], {subX, subY}, colour.rgba()});
            if (!glyph.Image.isNull()) painter.drawImage(QPoint(x, y) + glyph.Offset, glyph.Image);
        }
    }
}

const GlyphImages::Glyph& GlyphImages::Find(const Key& key) {
    if (const Glyph* glyph = Images.object(key)) return *glyph;

    auto glyph = std::make_unique<Glyph>();
    const QPointF at(qreal(key.Subpixel.x()) / Subpixels, qreal(key.Subpixel.y()) / Subpixels);
    const QRectF outline = key.Font.pathForGlyph(key.Index).boundingRect().translated(at);
    if (!outline.isEmpty()) {
        // A pixel of room on each side for the antialiased edge.
        const QRect pixels(
            QPoint(int(std::floor(outline.left())) - 1, int(std::floor(outline.top())) - 1),
            QPoint(int(std::ceil(outline.right())) + 1, int(std::ceil(outline.bottom())) + 1));
        QImage drawn(pixels.size(), QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        QGlyphRun single;
        single.setRawFont(key.Font);
        single.setGlyphIndexes({key.Index});
        single.setPositions({at - QPointF(pixels.topLeft())});
        QPainter painter(&drawn);
        painter.setPen(QColor::fromRgba(key.Colour));
        painter.drawGlyphRun(QPointF(), single);
        painter.end();
        // A copy, without the paint engine that painting left attached to the image.
        glyph->Image = drawn.copy();
        glyph->Offset = pixels.topLeft();
    }
    const qsizetype cost = std::max<qsizetype>(1, glyph->Image.sizeInBytes());
    const Glyph* kept = glyph.get();
    Images.insert(key, glyph.release(), cost);
    return *kept;
}
