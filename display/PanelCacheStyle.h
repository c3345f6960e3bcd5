#pragma once

#include <QCache>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QProxyStyle>
#include <QRect>
#include <array>
#include <vector>

class QStyleOptionFrame;

// The application's style, except that the panel of a line edit (its base and rounded frame) is
// drawn once for each size, state and palette and then copied. The live value boxes are
// repainted up to 25 times a second, and the style would stroke their antialiased frame anew
// each time.
//
// A line edit inside a window also becomes opaque to Qt (Qt::WA_OpaquePaintEvent), so that a
// new text repaints the box alone and not the window's background, the tab page and the group
// box under all of it. The panel's rounded border lets those show through; the first paint
// keeps what they painted there, and each paint puts it back under the border. Once the box's
// place or what lies under it may have changed, the box lets its ancestors paint once more.
class PanelCacheStyle : public QProxyStyle {
public:
    PanelCacheStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

    // Room for the panels of a few sizes and states of projector-sized boxes.
    static constexpr int PanelCostLimitBytes = 1 << 20;

private:
    struct PanelKey {
        QSize Size;
        int State;
        int LineWidth;
        qint64 Palette;
        int Direction;
        qreal Ratio;
        bool operator==(const PanelKey&) const = default;
        friend size_t qHash(const PanelKey& key, size_t seed) {
            return qHashMulti(seed, key.Size.width(), key.Size.height(), key.State, key.LineWidth,
                              key.Palette, key.Direction, key.Ratio);
        }
    };
    // A part of a panel, kept as its own pixels.
    struct Piece {
        QRect Area; // in the panel's coordinates
        QPixmap Pixels;
        QRectF Source; // where `Area` lies in `Pixels`
    };
    // A panel is kept without its one-coloured inside, which is filled: the big boxes of
    // projector mode would otherwise keep mostly one colour in their pixels.
    struct Panel {
        // The border and what lies outside the opaque inside, blended over what lies behind.
        std::vector<Piece> Border;
        // The opaque inside around its one-coloured part, or all of it, copied.
        std::vector<Piece> Inside;
        // The panel is opaque inside this rectangle, in its own coordinates.
        QRect Opaque;
        // The part of that inside that has one colour (the base under a style's inner shadow
        // line), filled rather than copied; empty if there is none.
        QRect Filled;
        QColor Fill;
    };
    // What the ancestors painted under a box outside its panel's opaque inside: the bands
    // above, below, left and right of it.
    struct Behind {
        size_t Key = 0;
        std::array<QRect, 4> Bands;
        std::array<QImage, 4> Images;
    };

    const Panel& CachedPanel(const QStyleOptionFrame& frame, const QPainter& painter,
                             const QWidget* widget) const;
    // Paints what lies behind the box's border, or keeps it while its ancestors paint it.
    void PaintBehind(QPainter& painter, QWidget& widget, const QRect& opaque) const;

    mutable QCache<PanelKey, Panel> Panels{PanelCostLimitBytes};
    mutable QHash<const QWidget*, Behind> Behinds;
};
