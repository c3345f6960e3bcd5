#include "display/PanelCacheStyle.h"

#include <QApplication>
#include <QBackingStore>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace {

// Copied pixels match drawn ones only at whole-pixel offsets.
bool WholePixelOffset(const QPainter& painter) {
    const QTransform& transform = painter.transform();
    return transform.type() <= QTransform::TxTranslate &&
           transform.dx() == qRound(transform.dx()) && transform.dy() == qRound(transform.dy());
}

// The largest rectangle, inset by the same amount on every side, that holds only opaque pixels;
// empty if there is none.
QRect OpaqueInside(const QImage& pixels, qreal ratio) {
    int inset = 0;
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (qAlpha(pixels.pixel(x, y)) != 255)
                inset = std::max(
                    inset, 1 + std::min({x, y, pixels.width() - 1 - x, pixels.height() - 1 - y}));
    const int logical = static_cast<int>(std::ceil(inset / ratio));
    const QSize size = (QSizeF(pixels.size()) / ratio).toSize();
    return QRect(QPoint(), size).adjusted(logical, logical, -logical, -logical);
}

// The largest part of `area` of one colour that is left when rows and columns of other colours
// are taken off its edges, in the colour of its middle; empty if there is no such part.
QRect OneColourInside(const QImage& pixels, const QRect& area) {
    if (area.isEmpty()) return {};
    const QRgb colour = pixels.pixel(area.center());
    const auto uniform = [&](const QRect& part) {
        for (int y = part.top(); y <= part.bottom(); ++y)
            for (int x = part.left(); x <= part.right(); ++x)
                if (pixels.pixel(x, y) != colour) return false;
        return true;
    };
    QRect part = area;
    while (!part.isEmpty() && !uniform(QRect(part.left(), part.top(), part.width(), 1)))
        part.setTop(part.top() + 1);
    while (!part.isEmpty() && !uniform(QRect(part.left(), part.bottom(), part.width(), 1)))
        part.setBottom(part.bottom() - 1);
    while (!part.isEmpty() && !uniform(QRect(part.left(), part.top(), 1, part.height())))
        part.setLeft(part.left() + 1);
    while (!part.isEmpty() && !uniform(QRect(part.right(), part.top(), 1, part.height())))
        part.setRight(part.right() - 1);
    return !part.isEmpty() && uniform(part) ? part : QRect();
}

// The parts of `all` above, below, left and right of `inside`; all of it above when `inside` is
// empty.
std::array<QRect, 4> BandsAround(const QRect& all, const QRect& inside) {
    const QRect middle = inside.isEmpty() ? QRect(all.bottomLeft() + QPoint(0, 1), QSize())
                                          : inside.intersected(all);
    return {QRect(all.topLeft(), QPoint(all.right(), middle.top() - 1)),
            QRect(QPoint(all.left(), middle.bottom() + 1), all.bottomRight()),
            QRect(QPoint(all.left(), middle.top()), middle.bottomLeft() - QPoint(1, 0)),
            QRect(middle.topRight() + QPoint(1, 0), QPoint(all.right(), middle.bottom()))};
}

// What its ancestors paint under a widget depends on these: its place and size, the size,
// palette and state of each ancestor and whether the window is active.
size_t BehindKey(const QWidget& widget, const QRect& opaque) {
    const QWidget* window = widget.window();
    const QPoint place = widget.mapTo(window, QPoint());
    size_t key = qHashMulti(0, place.x(), place.y(), widget.width(), widget.height(), opaque.x(),
                            opaque.y(), opaque.width(), opaque.height(), window->isActiveWindow(),
                            widget.devicePixelRatioF());
    for (const QWidget* ancestor = widget.parentWidget(); ancestor != nullptr;
         ancestor = ancestor->isWindow() ? nullptr : ancestor->parentWidget())
        key = qHashMulti(key, ancestor->width(), ancestor->height(), ancestor->palette().cacheKey(),
                         ancestor->font(), ancestor->isEnabled());
    return key;
}

// The window's backing store, when the painter paints into it (and not, say, into a grab).
const QImage* BackingStoreImage(const QPainter& painter, const QWidget& widget) {
    QBackingStore* store = widget.window()->backingStore();
    QPaintDevice* device = store != nullptr ? store->paintDevice() : nullptr;
    if (device == nullptr || device->devType() != QInternal::Image ||
        painter.paintEngine()->paintDevice() != device)
        return nullptr;
    return static_cast<const QImage*>(device);
}

} // namespace

PanelCacheStyle::PanelCacheStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void PanelCacheStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element != PE_PanelLineEdit || frame == nullptr || !WholePixelOffset(*painter)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const Panel& panel = CachedPanel(*frame, *painter, widget);
    const QPoint at = frame->rect.topLeft();
    if (widget != nullptr && !widget->isWindow() && painter->device() == widget)
        PaintBehind(*painter, const_cast<QWidget&>(*widget), panel.Opaque.translated(at));
    // Only the border is blended over what lies behind; the opaque inside is filled where it is
    // of one colour and copied around that.
    auto draw = [&](const Piece& piece) {
        painter->drawPixmap(QRectF(piece.Area.translated(at)), piece.Pixels, piece.Source);
    };
    for (const Piece& piece : panel.Border)
        draw(piece);
    const QPainter::CompositionMode mode = painter->compositionMode();
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    for (const Piece& piece : panel.Inside)
        draw(piece);
    if (!panel.Filled.isEmpty()) painter->fillRect(panel.Filled.translated(at), panel.Fill);
    painter->setCompositionMode(mode);
}

const PanelCacheStyle::Panel& PanelCacheStyle::CachedPanel(const QStyleOptionFrame& frame,
                                                           const QPainter& painter,
                                                           const QWidget* widget) const {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const PanelKey key{frame.rect.size(),        static_cast<int>(frame.state),     frame.lineWidth,
                       frame.palette.cacheKey(), static_cast<int>(frame.direction), ratio};
    if (const Panel* cached = Panels.object(key)) return *cached;
    auto panel = std::make_unique<Panel>();
    QPixmap drawn(frame.rect.size() * ratio);
    drawn.setDevicePixelRatio(ratio);
    drawn.fill(Qt::transparent);
    QStyleOptionFrame atOrigin = frame;
    atOrigin.rect.moveTo(0, 0);
    QPainter panelPainter(&drawn);
    QProxyStyle::drawPrimitive(PE_PanelLineEdit, &atOrigin, &panelPainter, widget);
    panelPainter.end();
    const QImage pixels = drawn.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    panel->Opaque = OpaqueInside(pixels, ratio);
    // Whole logical pixels, so that the filled part and the copied bands around it meet exactly.
    const QRect inside = OneColourInside(
        pixels, QRect(panel->Opaque.topLeft() * ratio, panel->Opaque.size() * ratio));
    if (!inside.isEmpty()) {
        const int left = static_cast<int>(std::ceil(inside.left() / ratio));
        const int top = static_cast<int>(std::ceil(inside.top() / ratio));
        const int right = static_cast<int>(std::floor((inside.right() + 1) / ratio));
        const int bottom = static_cast<int>(std::floor((inside.bottom() + 1) / ratio));
        panel->Filled = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
        panel->Fill = QColor::fromRgba(pixels.pixel(inside.center()));
    }
    qsizetype bytes = 0;
    auto keep = [&](std::vector<Piece>& pieces, const QRect& area) {
        if (area.isEmpty()) return;
        const QRectF source(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio);
        const QRect copied = source.toAlignedRect();
        pieces.push_back({area, drawn.copy(copied), source.translated(-copied.topLeft())});
        bytes += qsizetype{4} * copied.width() * copied.height();
    };
    for (const QRect& band : BandsAround(QRect(QPoint(), frame.rect.size()), panel->Opaque))
        keep(panel->Border, band);
    if (panel->Filled.isEmpty())
        keep(panel->Inside, panel->Opaque);
    else
        for (const QRect& band : BandsAround(panel->Opaque, panel->Filled))
            keep(panel->Inside, band);
    const Panel* kept = panel.get();
    Panels.insert(key, panel.release(), std::max<qsizetype>(1, bytes));
    return *kept;
}

void PanelCacheStyle::PaintBehind(QPainter& painter, QWidget& widget, const QRect& opaque) const {
    const size_t key = BehindKey(widget, opaque);
    auto found = Behinds.find(&widget);
    if (found == Behinds.end()) {
        found = Behinds.insert(&widget, {});
        QObject::connect(&widget, &QObject::destroyed, this,
                         [this, &widget] { Behinds.remove(&widget); });
    }
    Behind& behind = *found;
    if (widget.testAttribute(Qt::WA_OpaquePaintEvent)) {
        if (behind.Key != key) {
            // Painted over once more, what lies behind is kept anew.
            widget.setAttribute(Qt::WA_OpaquePaintEvent, false);
            widget.update();
        }
        for (std::size_t band = 0; band < behind.Bands.size(); ++band)
            if (!behind.Images[band].isNull())
                painter.drawImage(behind.Bands[band].topLeft(), behind.Images[band]);
        return;
    }
    // The ancestors have just painted under all of the box: keep what lies around its panel's
    // opaque inside.
    const QImage* store = BackingStoreImage(painter, widget);
    const qreal ratio = store != nullptr ? store->devicePixelRatio() : 1.0;
    const QRect all = widget.rect();
    const QRect inStore(widget.mapTo(widget.window(), QPoint()) * ratio, all.size() * ratio);
    if (store == nullptr || !(QRegion(inStore) - painter.paintEngine()->systemClip()).isEmpty())
        return;
    behind.Bands = BandsAround(all, opaque);
    for (std::size_t band = 0; band < behind.Bands.size(); ++band) {
        const QRect area = behind.Bands[band];
        behind.Images[band] = area.isEmpty()
                                  ? QImage()
                                  : store->copy(QRect(inStore.topLeft() + area.topLeft() * ratio,
                                                      area.size() * ratio));
        behind.Images[band].setDevicePixelRatio(ratio);
    }
    behind.Key = key;
    widget.setAttribute(Qt::WA_OpaquePaintEvent);
}
