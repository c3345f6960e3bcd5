#pragma once

#include "display/GlyphImages.h"

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

private:
    bool Paint(QLineEdit& edit);

    GlyphImages Glyphs;
};
