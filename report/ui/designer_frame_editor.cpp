#include "report/ui/designer_frame_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "report/qt/qt_text.h"
#include "report/ui/designer_colour_button.h"
#include "report/ui/designer_dialog_frame.h"

namespace report {
namespace {

// The pen styles, in FrameStyle order.
constexpr const char* kStyleNames[] = {"Continu",           "Tirets", "Pointillés", "Tiret-point",
                                       "Tiret-point-point", "Double"};
constexpr double kWidthStep = 0.5;
constexpr double kSmallestWidth = 0.001;

}  // namespace

DesignerFrameEditor::DesignerFrameEditor(DesignDocument& document, const FrameAndFill& frame,
                                         QWidget* parent)
    : QDialog(parent), document_(document) {
    setWindowTitle(QStringLiteral("Cadre et fond"));
    auto* body = new QWidget(this);
    const auto side = [&](const QString& text, uint16_t bit) {
        auto* check = new QCheckBox(text, body);
        check->setChecked((frame.sides & bit) != 0);
        return check;
    };
    left_ = side(QStringLiteral("&Gauche"), frame_side::kLeft);
    top_ = side(QStringLiteral("&Haut"), frame_side::kTop);
    right_ = side(QStringLiteral("&Droite"), frame_side::kRight);
    bottom_ = side(QStringLiteral("&Bas"), frame_side::kBottom);
    auto* all = new QPushButton(QStringLiteral("&Tout"), body);
    auto* none = new QPushButton(QStringLiteral("&Aucun"), body);
    const auto checkAll = [this](bool on) {
        for (QCheckBox* box : {left_, top_, right_, bottom_})
            box->setChecked(on);
    };
    connect(all, &QPushButton::clicked, this, [checkAll] { checkAll(true); });
    connect(none, &QPushButton::clicked, this, [checkAll] { checkAll(false); });

    width_ = new QDoubleSpinBox(body);
    // Thousandths, as widths are stored: "OK" on an untouched width must not round it.
    width_->setDecimals(3);
    width_->setRange(kSmallestWidth, kMaxFrameWidth);
    width_->setSingleStep(kWidthStep);
    width_->setValue(frame.width);
    style_ = new QComboBox(body);
    for (const char* name : kStyleNames)
        style_->addItem(QString::fromUtf8(name));
    style_->setCurrentIndex(std::min<int>(frame.style, style_->count() - 1));
    frameColour_ = new DesignerColourButton(frame.frameColor, false, body);
    fillColour_ = new DesignerColourButton(frame.fillColor, true, body);

    auto* sides = new QGridLayout;
    sides->addWidget(top_, 0, 1);
    sides->addWidget(left_, 1, 0);
    sides->addWidget(right_, 1, 2);
    sides->addWidget(bottom_, 2, 1);
    auto* sideButtons = new QHBoxLayout;
    sideButtons->addWidget(all);
    sideButtons->addWidget(none);
    sideButtons->addStretch();
    sides->addLayout(sideButtons, 3, 0, 1, 3);
    auto* fields = new QFormLayout(body);
    fields->setContentsMargins(0, 0, 0, 0);
    fields->addRow(QStringLiteral("Côtés :"), sides);
    fields->addRow(QStringLiteral("É&paisseur :"), width_);
    fields->addRow(QStringLiteral("&Style :"), style_);
    fields->addRow(QStringLiteral("&Couleur du cadre :"), frameColour_);
    fields->addRow(QStringLiteral("Couleur de &fond :"), fillColour_);
    refusal_ = FrameEditorDialog(*this, body);
}

QCheckBox* DesignerFrameEditor::SideBox(uint16_t side) const {
    switch (side) {
        case frame_side::kLeft:
            return left_;
        case frame_side::kTop:
            return top_;
        case frame_side::kRight:
            return right_;
        case frame_side::kBottom:
            return bottom_;
        default:
            return nullptr;
    }
}

FrameAndFill DesignerFrameEditor::Frame() const {
    FrameAndFill frame;
    for (uint16_t side :
         {frame_side::kRight, frame_side::kBottom, frame_side::kLeft, frame_side::kTop})
        if (SideBox(side)->isChecked()) frame.sides |= side;
    frame.width = static_cast<float>(width_->value());
    frame.style = static_cast<uint16_t>(std::max(style_->currentIndex(), 0));
    frame.frameColor = frameColour_->Colour();
    frame.fillColor = fillColour_->Colour();
    return frame;
}

QString DesignerFrameEditor::Refusal() const {
    return RefusalText(*refusal_);
}

void DesignerFrameEditor::accept() {
    try {
        changed_ = ApplyFrameAndFill(document_, Frame());
    } catch (const std::exception& error) {
        ShowRefusal(*refusal_, ToQString(error.what()));
        return;
    }
    ShowRefusal(*refusal_, QString());
    QDialog::accept();
}

}  // namespace report
