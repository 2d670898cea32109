#include "platform/qt/background.h"

#include <QPalette>
#include <QPixmap>

QBrush LoadBackgroundBrush() {
    const QPixmap tile(QStringLiteral(":/bitmaps/132.png"));
    // Without the bitmap the window keeps a plain colour rather than painting black.
    if (tile.isNull()) return QBrush(QColor(0xF0, 0xEE, 0xE4));
    return QBrush(tile);
}

void ApplyBackground(QWidget& widget) {
    QPalette palette = widget.palette();
    const QBrush brush = LoadBackgroundBrush();
    palette.setBrush(QPalette::Window, brush);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void ApplyWhiteBackground(QWidget& control) {
    QPalette palette = control.palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Window, Qt::white);
    control.setPalette(palette);
    control.setAutoFillBackground(true);
}
