#pragma once

#include <QProxyStyle>

// The application's style, except that the panel of a line edit (its base and rounded frame) is
// drawn once for each size, state and palette and then copied. The live value boxes are
// repainted up to 25 times a second, and the style would stroke their antialiased frame anew
// each time.
class PanelCacheStyle : public QProxyStyle {
public:
    PanelCacheStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
