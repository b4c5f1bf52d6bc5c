#include "app/windows/fonts.h"

#include <QStringList>

namespace app {

QFont WindowFont() {
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                                 QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    return font;
}

QFont GridFont() {
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Times New Roman"),
                                 QStringLiteral("Liberation Serif"),
                                 QStringLiteral("DejaVu Serif")});
    font.setPixelSize(21);
    return font;
}

QFont SchoolbookFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Century Schoolbook"),
                                 QStringLiteral("TeX Gyre Schola"), QStringLiteral("C059"),
                                 QStringLiteral("Liberation Serif"),
                                 QStringLiteral("DejaVu Serif")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont ArialFont(int pointSize) {
    QFont font;
    font.setFamilies(QStringList{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                 QStringLiteral("DejaVu Sans")});
    font.setPointSize(pointSize);
    return font;
}

}  // namespace app
