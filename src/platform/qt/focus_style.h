#pragma once
// The program's look over the platform's style: the keyboard focus is shown at all times (not
// only once the keyboard has been used), as a thin dotted outline that never looks like a
// selection, and a focused list or text box shows it on its frame even when no line is current.
#include <QProxyStyle>

class CFocusStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;

    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

// Makes CFocusStyle (over the platform's own style) the application's style.
void InstallFocusStyle();
