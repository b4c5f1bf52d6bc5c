#include "report/ui/designer_colour_button.h"

#include <QColorDialog>
#include <QMenu>
#include <QPixmap>

#include "report/core/base/drawing_codes.h"
#include "report/qt/qt_canvas.h"

namespace report {
namespace {

constexpr int kSwatchSize = 16;

}  // namespace

int32_t TemplateColorOf(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

DesignerColourButton::DesignerColourButton(int32_t colour, bool mayBeNone, QWidget* parent)
    : QToolButton(parent), colour_(colour) {
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(this, &QToolButton::clicked, this, [this] { Choose(); });
    if (mayBeNone) {
        auto* menu = new QMenu(this);
        menu->addAction(QStringLiteral("&Choisir…"), this, [this] { Choose(); });
        menu->addAction(QStringLiteral("&Aucune"), this, [this] { SetColour(kNoColor); });
        setMenu(menu);
        setPopupMode(QToolButton::MenuButtonPopup);
    }
    SetColour(colour);
}

void DesignerColourButton::SetColour(int32_t colour) {
    const bool changed = colour != colour_;
    colour_ = colour;
    QPixmap swatch(kSwatchSize, kSwatchSize);
    if (colour == kNoColor) {
        swatch.fill(Qt::white);
        setText(QStringLiteral("Aucune"));
    } else {
        const QColor shown = QtColorOf(colour);
        swatch.fill(shown);
        setText(shown.name(QColor::HexRgb).toUpper());
    }
    setIcon(QIcon(swatch));
    if (changed) emit ColourChanged();
}

void DesignerColourButton::Choose() {
    const QColor start = colour_ == kNoColor ? QColor(Qt::white) : QtColorOf(colour_);
    const QColor chosen = QColorDialog::getColor(start, this, QStringLiteral("Couleur"));
    if (chosen.isValid()) SetColour(TemplateColorOf(chosen));
}

}  // namespace report
