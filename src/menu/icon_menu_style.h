#pragma once

#include <QProxyStyle>

namespace kbs {

// Measures and draws the items of a decorated drop-down menu: a column for pictures and
// check marks, the label from x = 25 and the shortcut text right-aligned. Everything else
// is the application style's.
class IconMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    // menuBarHeight: the height of the window's one-line menu bar; items are as high
    // (never lower than a picture with its margins), separators half as high.
    explicit IconMenuStyle(int menuBarHeight);

    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;

private:
    int menuBarHeight_;
};

} // namespace kbs
