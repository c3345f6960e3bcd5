#pragma once

#include "display/GlyphImages.h"

#include <QCache>
#include <QFont>
#include <QGlyphRun>
#include <QObject>

class QLineEdit;

// Paints line edits whose type is larger than Qt caches glyphs of (projector mode's values):
// the panel through the edit's style, the text from glyph images, each where the edit would
// put it. A box with a cursor, a selection, a placeholder or a text wider than the box, and
// every box at smaller type, is left to the edit's own painting.
class LargeValuePainter : public QObject {
public:
    // Qt fills glyphs above this pixel size from their outlines on every paint.
    static constexpr int QtCachedGlyphLimit = 64;

    explicit LargeValuePainter(QObject* parent = nullptr) : QObject(parent) {}

    // Installs itself as the edit's event filter.
    void Watch(QLineEdit* edit);
    // Glyph images held now.
    qsizetype CachedGlyphs() const { return Glyphs.Count(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Texts laid out and kept: a live box's values come back again and again.
    static constexpr int KeptLayouts = 256;

private:
    // A text laid out in one line as the edit lays it out.
    struct Line {
        QList<QGlyphRun> Runs;
        qreal NaturalWidth;
        qreal Ascent;
        // The height of the text's ink, which the edit takes when it exceeds the font's height.
        int InkHeight;
    };
    struct LineKey {
        QString Text;
        QFont Font;
        Qt::LayoutDirection Direction;
        bool operator==(const LineKey&) const = default;
        friend size_t qHash(const LineKey& key, size_t seed) {
            return qHashMulti(seed, key.Text, key.Font, key.Direction);
        }
    };

    bool Paint(QLineEdit& edit);
    const Line& LaidOut(const QLineEdit& edit);

    GlyphImages Glyphs;
    QCache<LineKey, Line> Lines{KeptLayouts};
};
