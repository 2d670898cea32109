#pragma once
// The dialogs ask for "ＭＳ Ｐゴシック"; here that face is IPAPGothic (same metrics), or
// Noto Sans CJK JP where IPAPGothic is missing.
#include <QFont>
#include <QString>

void InstallFontSubstitutions();

// The font a template asks for, sized in pixels as a 96-dpi screen would size the points, so a
// window keeps the proportions its template was laid out for.
QFont DialogFont(const QString& face, int pointSize);
