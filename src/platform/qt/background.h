#pragma once
// The program's windows paint their background with one tiled bitmap (":/bitmaps/132.png");
// read-only boxes on it are white so their text stays readable.
#include <QBrush>
#include <QWidget>

QBrush LoadBackgroundBrush();
void ApplyBackground(QWidget& widget);
void ApplyWhiteBackground(QWidget& control);
