#include "window/form_fonts.h"

#include <QStringList>

namespace torvelin {

void InstallFontSubstitutions() {
    QFont::insertSubstitutions(QString::fromUtf16(kFormFontFamily),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                QStringLiteral("sans-serif")});
}

QFont FormFont(qreal pointSize, QFont::Weight weight) {
    QFont font(QString::fromUtf16(kFormFontFamily));
    font.setPointSizeF(pointSize);
    font.setWeight(weight);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace torvelin
