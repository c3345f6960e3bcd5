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
QRect OpaqueInside(const QImage& panel, qreal ratio) {
    const QImage pixels = panel.convertToFormat(QImage::Format_ARGB32_Premultiplied);
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

// The colour of every pixel of `area`, if they all have the same.
std::optional<QColor> OneColour(const QImage& image, const QRect& area) {
    if (area.isEmpty()) return std::nullopt;
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb first = pixels.pixel(area.topLeft());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pixels.pixel(x, y) != first) return std::nullopt;
    return QColor::fromRgba(first);
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
    const bool opaque =
        widget != nullptr && !widget->isWindow() && painter->device() == widget &&
        PaintBehind(*painter, const_cast<QWidget&>(*widget), panel.Opaque.translated(at));
    if (!opaque || panel.Opaque.isEmpty()) {
        painter->drawPixmap(at, panel.Pixmap);
        return;
    }
    // Only the border is blended over what lies behind; the opaque inside is filled where it is
    // of one colour, copied otherwise.
    const qreal ratio = panel.Pixmap.devicePixelRatio();
    auto copy = [&](const QRect& part) {
        painter->drawPixmap(QRectF(part.translated(at)), panel.Pixmap,
                            QRectF(QPointF(part.topLeft()) * ratio, QSizeF(part.size()) * ratio));
    };
    for (const QRect& band : BandsAround(QRect(QPoint(), frame->rect.size()), panel.Opaque))
        if (!band.isEmpty()) copy(band);
    if (panel.Fill) {
        painter->fillRect(panel.Opaque.translated(at), *panel.Fill);
        return;
    }
    const QPainter::CompositionMode mode = painter->compositionMode();
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    copy(panel.Opaque);
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
    panel->Pixmap = QPixmap(frame.rect.size() * ratio);
    panel->Pixmap.setDevicePixelRatio(ratio);
    panel->Pixmap.fill(Qt::transparent);
    QStyleOptionFrame atOrigin = frame;
    atOrigin.rect.moveTo(0, 0);
    QPainter panelPainter(&panel->Pixmap);
    QProxyStyle::drawPrimitive(PE_PanelLineEdit, &atOrigin, &panelPainter, widget);
    panelPainter.end();
    const QImage pixels = panel->Pixmap.toImage();
    panel->Opaque = OpaqueInside(pixels, ratio);
    panel->Fill =
        OneColour(pixels, QRect(panel->Opaque.topLeft() * ratio, panel->Opaque.size() * ratio));
    const qsizetype cost =
        std::max<qsizetype>(1, panel->Pixmap.width() * panel->Pixmap.height() * 4);
    const Panel* kept = panel.get();
    Panels.insert(key, panel.release(), cost);
    return *kept;
}

bool PanelCacheStyle::PaintBehind(QPainter& painter, QWidget& widget, const QRect& opaque) const {
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
        return true;
    }
    // The ancestors have just painted under all of the box: keep what lies around its panel's
    // opaque inside.
    const QImage* store = BackingStoreImage(painter, widget);
    const qreal ratio = store != nullptr ? store->devicePixelRatio() : 1.0;
    const QRect all = widget.rect();
    const QRect inStore(widget.mapTo(widget.window(), QPoint()) * ratio, all.size() * ratio);
    if (store == nullptr || !(QRegion(inStore) - painter.paintEngine()->systemClip()).isEmpty())
        return false;
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
    return false;
}
