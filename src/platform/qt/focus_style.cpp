#include "platform/qt/focus_style.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

void CFocusStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    // Styles draw focus only in windows where the keyboard has moved it; here it always is.
    if (widget->isWindow()) widget->setAttribute(Qt::WA_KeyboardFocusChange);
}

void CFocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::WindowText), 1, Qt::DotLine));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    // A ring inside the frame of a focused button or box, where a picture or a light theme
    // cannot hide it.
    const bool focusedFrame = element == PE_PanelButtonCommand ||
                              (element == PE_Frame && qobject_cast<const QAbstractScrollArea*>(widget));
    if (focusedFrame && (option->state & State_HasFocus)) {
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

void InstallFocusStyle() {
    if (qobject_cast<CFocusStyle*>(QApplication::style()) != nullptr) return;
    QApplication::setStyle(new CFocusStyle(QStyleFactory::create(QApplication::style()->name())));
}
