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

// The font's identity in a key: a font engine of the same family at another size, weight or
// hinting draws other glyphs under the same index.
QString FontKey(const QRawFont& font) {
    return QStringLiteral("%1-%2-%3-%4-%5-%6")
        .arg(font.familyName(), font.styleName())
        .arg(font.pixelSize())
        .arg(font.weight())
        .arg(static_cast<int>(font.style()))
        .arg(static_cast<int>(font.hintingPreference()));
}

} // namespace

void GlyphImages::Draw(QPainter& painter, const QList<QGlyphRun>& runs, QPointF origin,
                       const QColor& colour) {
    for (const QGlyphRun& run : runs) {
        const QRawFont font = run.rawFont();
        const QString fontKey = FontKey(font);
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            const auto [x, subX] = Split(origin.x() + positions[i].x());
            const auto [y, subY] = Split(origin.y() + positions[i].y());
            const Glyph& glyph = Find(font, {fontKey, indexes[i], {subX, subY}, colour.rgba()});
            if (!glyph.Image.isNull()) painter.drawImage(QPoint(x, y) + glyph.Offset, glyph.Image);
        }
    }
}

const GlyphImages::Glyph& GlyphImages::Find(const QRawFont& font, const Key& key) {
    if (const Glyph* glyph = Images.object(key)) return *glyph;

    auto glyph = std::make_unique<Glyph>();
    const QPointF at(qreal(key.Subpixel.x()) / Subpixels, qreal(key.Subpixel.y()) / Subpixels);
    const QRectF outline = font.pathForGlyph(key.Index).boundingRect().translated(at);
    if (!outline.isEmpty()) {
        // A pixel of room on each side for the antialiased edge.
        const QRect pixels(
            QPoint(int(std::floor(outline.left())) - 1, int(std::floor(outline.top())) - 1),
            QPoint(int(std::ceil(outline.right())) + 1, int(std::ceil(outline.bottom())) + 1));
        glyph->Image = QImage(pixels.size(), QImage::Format_ARGB32_Premultiplied);
        glyph->Image.fill(Qt::transparent);
        glyph->Offset = pixels.topLeft();
        QGlyphRun single;
        single.setRawFont(font);
        single.setGlyphIndexes({key.Index});
        single.setPositions({at - QPointF(pixels.topLeft())});
        QPainter painter(&glyph->Image);
        painter.setPen(QColor::fromRgba(key.Colour));
        painter.drawGlyphRun(QPointF(), single);
    }
    const qsizetype cost = std::max<qsizetype>(1, glyph->Image.sizeInBytes());
    const Glyph* kept = glyph.get();
    Images.insert(key, glyph.release(), cost);
    return *kept;
}
