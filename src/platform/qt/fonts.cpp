#include "platform/qt/fonts.h"

#include <QStringList>

void InstallFontSubstitutions() {
    const QStringList substitutes{QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), substitutes);
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP")});
}

QFont DialogFont(const QString& face, int pointSize) {
    QFont font(face);
    font.setPixelSize((pointSize * 96 + 36) / 72);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
