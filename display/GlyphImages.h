#pragma once

#include <QCache>
#include <QColor>
#include <QHashFunctions>
#include <QImage>
#include <QPoint>
#include <QRawFont>

class QGlyphRun;
class QPainter;

// Glyphs drawn once into images and then copied, for type too large for Qt's own glyph cache:
// Qt fills such glyphs from their outlines on each paint. An image holds one glyph of one font
// in one colour at one sub-pixel position, so a copy puts down the pixels Qt would have drawn.
class GlyphImages {
public:
    // Room for the characters of a few fonts and colours of value-sized type.
    static constexpr int CostLimitBytes = 1 << 20;

    // Draws glyph runs of a laid-out text; `origin` is where their positions start. Whole-pixel
    // painter offsets only (a copy lands on whole pixels).
    void Draw(QPainter& painter, const QList<QGlyphRun>& runs, QPointF origin,
              const QColor& colour);
    qsizetype Count() const { return Images.count(); }

private:
    struct Glyph {
        QImage Image;
        QPoint Offset; // of the image's top left from the glyph's whole-pixel position
    };

    // A font engine of the same family at another size, weight or hinting draws other glyphs
    // under the same index; a raw font stands for its engine.
    struct Key {
        QRawFont Font;
        quint32 Index;
        QPoint Subpixel; // in 64ths of a pixel
        QRgb Colour;
        bool operator==(const Key&) const = default;
        friend size_t qHash(const Key& key, size_t seed) {
            return qHashMulti(seed, key.Font, key.Index, key.Subpixel.x(), key.Subpixel.y(),
                              key.Colour);
        }
    };

    const Glyph& Find(const Key& key);

    QCache<Key, Glyph> Images{CostLimitBytes};
};
