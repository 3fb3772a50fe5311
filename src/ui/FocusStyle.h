#pragma once
// The platform's style with a focus ring a player can find: 2 pixels in a colour well apart from
// the window's (5.5:1 on its grey), drawn over whatever the style itself draws for the focus, so
// that the default button's outline never looks like it.

#include <QColor>
#include <QProxyStyle>

namespace karven::ui {

inline const QColor FocusRingColor(0x1a, 0x5f, 0xb4);
constexpr int FocusRingWidth = 2;

class FocusStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;
};

// Once, at start: every window of the game draws its focus so.
void UseFocusStyle();

} // namespace karven::ui
