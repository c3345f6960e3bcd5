#include "display/PanelCacheStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleFactory>
#include <QStyleOption>

PanelCacheStyle::PanelCacheStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void PanelCacheStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    // Copied pixels match drawn ones only at whole-pixel offsets.
    if (element != PE_PanelLineEdit || frame == nullptr ||
        painter->transform().type() > QTransform::TxTranslate ||
        painter->transform().dx() != qRound(painter->transform().dx()) ||
        painter->transform().dy() != qRound(painter->transform().dy())) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatioF();
    const QString key = QStringLiteral("PanelCacheStyle-%1x%2-%3-%4-%5-%6-%7")
                            .arg(frame->rect.width())
                            .arg(frame->rect.height())
                            .arg(static_cast<int>(frame->state))
                            .arg(frame->lineWidth)
                            .arg(frame->palette.cacheKey())
                            .arg(static_cast<int>(frame->direction))
                            .arg(ratio);
    QPixmap panel;
    if (!QPixmapCache::find(key, &panel)) {
        panel = QPixmap(frame->rect.size() * ratio);
        panel.setDevicePixelRatio(ratio);
        panel.fill(Qt::transparent);
        QStyleOptionFrame atOrigin = *frame;
        atOrigin.rect.moveTo(0, 0);
        QPainter panelPainter(&panel);
        QProxyStyle::drawPrimitive(element, &atOrigin, &panelPainter, widget);
        panelPainter.end();
        QPixmapCache::insert(key, panel);
    }
    painter->drawPixmap(frame->rect.topLeft(), panel);
}
