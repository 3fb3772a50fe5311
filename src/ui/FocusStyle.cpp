#include "ui/FocusStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace karven::ui {

namespace {
void DrawRing(const QStyleOption* option, QPainter* painter) {
    if (!(option->state & QStyle::State_HasFocus) || !(option->state & QStyle::State_Enabled)) return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    QPen pen(FocusRingColor, FocusRingWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    // The pen is centred on the path: half its width in from the edge keeps the ring whole.
    const qreal in = FocusRingWidth / 2.0;
    painter->drawRect(QRectF(option->rect).adjusted(in, in, -in, -in));
    painter->restore();
}
} // namespace

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButtonBevel || element == CE_ShapedFrame) DrawRing(option, painter);
}

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    // The style's own thin focus frame gives way to the ring.
    if (element == PE_FrameFocusRect) return;
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_FrameLineEdit) DrawRing(option, painter);
}

void FocusStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                    const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox) DrawRing(option, painter);
}

void UseFocusStyle() {
    if (dynamic_cast<FocusStyle*>(QApplication::style())) return;
    QApplication::setStyle(new FocusStyle(QApplication::style()->name()));
}

} // namespace karven::ui
