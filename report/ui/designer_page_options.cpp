#include "report/ui/designer_page_options.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "report/core/designer/design_document.h"
#include "report/core/designer/page_options.h"
#include "report/core/model/model_state.h"
#include "report/core/printer/paper_table.h"
#include "report/qt/qt_text.h"
#include "report/ui/designer_dialog_frame.h"

namespace report {
namespace {

// Margins and gaps in design pixels; a page is never wider than this.
constexpr int kMaxPagePixels = 10000;

QDoubleSpinBox* MillimetreBox(QWidget* parent, int32_t tenths) {
    auto* box = new QDoubleSpinBox(parent);
    box->setDecimals(1);
    box->setRange(0.1, kMaxPaperLength / 10.0);
    box->setSuffix(QStringLiteral(" mm"));
    box->setValue(tenths / 10.0);
    return box;
}

int32_t Tenths(const QDoubleSpinBox& box) {
    return static_cast<int32_t>(std::lround(box.value() * 10.0));
}

}  // namespace

DesignerPageOptions::DesignerPageOptions(DesignDocument& document, QWidget* parent)
    : QDialog(parent), document_(document) {
    const PageOptions options = ReadPageOptions(document.CurrentPage());
    const Printer& printer = document.GetReport().State().printer;
    setWindowTitle(QStringLiteral("Mise en page"));
    auto* body = new QWidget(this);

    auto* paperBox = new QGroupBox(QStringLiteral("Papier"), body);
    auto* paperForm = new QFormLayout(paperBox);
    paper_ = new QComboBox(paperBox);
    for (size_t i = 0; i < printer.PaperCodes().size() && i < printer.PaperNames().size(); ++i)
        paper_->addItem(ToQString(printer.PaperNames()[i]), int{printer.PaperCodes()[i]});
    if (paper_->findData(kCustomPaperCode) < 0)
        paper_->addItem(QStringLiteral("Personnalisé"), kCustomPaperCode);
    // A paper this printer does not list is shown as the custom size it measures.
    int index = paper_->findData(options.paperCode);
    if (index < 0) index = paper_->findData(kCustomPaperCode);
    paper_->setCurrentIndex(index);
    paperForm->addRow(QStringLiteral("&Format :"), paper_);
    width_ = MillimetreBox(paperBox, options.paperWidth);
    paperForm->addRow(QStringLiteral("&Largeur :"), width_);
    height_ = MillimetreBox(paperBox, options.paperHeight);
    paperForm->addRow(QStringLiteral("&Hauteur :"), height_);
    orientation_ = new QComboBox(paperBox);
    orientation_->addItem(QStringLiteral("Portrait"), 0);
    orientation_->addItem(QStringLiteral("Paysage"), 1);
    orientation_->setCurrentIndex(options.orientation == 1 ? 1 : 0);
    paperForm->addRow(QStringLiteral("&Orientation :"), orientation_);

    auto* marginBox = new QGroupBox(QStringLiteral("Marges (0 : bord non imprimable)"), body);
    auto* marginForm = new QFormLayout(marginBox);
    left_ = PixelSpinBox(marginBox, options.leftMargin, kMaxPagePixels);
    marginForm->addRow(QStringLiteral("&Gauche :"), left_);
    top_ = PixelSpinBox(marginBox, options.topMargin, kMaxPagePixels);
    marginForm->addRow(QStringLiteral("Ha&ut :"), top_);
    right_ = PixelSpinBox(marginBox, options.rightMargin, kMaxPagePixels);
    marginForm->addRow(QStringLiteral("&Droite :"), right_);
    bottom_ = PixelSpinBox(marginBox, options.bottomMargin, kMaxPagePixels);
    marginForm->addRow(QStringLiteral("&Bas :"), bottom_);

    auto* columnBox = new QGroupBox(QStringLiteral("Colonnes"), body);
    auto* columnForm = new QFormLayout(columnBox);
    columns_ = new QSpinBox(columnBox);
    columns_->setRange(1, kMaxPageColumns);
    columns_->setValue(options.columns);
    columnForm->addRow(QStringLiteral("&Nombre :"), columns_);
    gap_ = PixelSpinBox(columnBox, options.columnGap, kMaxPagePixels);
    columnForm->addRow(QStringLiteral("Es&pacement :"), gap_);

    auto* layout = new QVBoxLayout(body);
    layout->addWidget(paperBox);
    layout->addWidget(marginBox);
    layout->addWidget(columnBox);
    layout->addStretch(1);
    refusal_ = FrameEditorDialog(*this, body);

    connect(paper_, &QComboBox::currentIndexChanged, this, [this] { PaperChosen(); });
    // The page stores its size as turned: a change of orientation turns the sizes shown.
    connect(orientation_, &QComboBox::currentIndexChanged, this, [this] {
        const double width = width_->value();
        width_->setValue(height_->value());
        height_->setValue(width);
    });
    PaperChosen();
}

void DesignerPageOptions::PaperChosen() {
    const int32_t code = paper_->currentData().toInt();
    const bool custom = code == kCustomPaperCode;
    width_->setEnabled(custom);
    height_->setEnabled(custom);
    // A listed paper shows its own size, turned as the page is; a custom one keeps what was
    // typed.
    const int row = PaperRowOf(code);
    if (!custom && row >= 0) {
        const PaperInfo& paper = PaperTable()[static_cast<size_t>(row)];
        const bool landscape = orientation_->currentData().toInt() == 1;
        width_->setValue((landscape ? paper.height : paper.width) / 10.0);
        height_->setValue((landscape ? paper.width : paper.height) / 10.0);
    }
}

QString DesignerPageOptions::Refusal() const {
    return RefusalText(*refusal_);
}

void DesignerPageOptions::accept() {
    PageOptions options;
    options.paperCode = paper_->currentData().toInt();
    options.paperWidth = Tenths(*width_);
    options.paperHeight = Tenths(*height_);
    options.orientation = static_cast<uint8_t>(orientation_->currentData().toInt());
    options.leftMargin = left_->value();
    options.topMargin = top_->value();
    options.rightMargin = right_->value();
    options.bottomMargin = bottom_->value();
    options.columns = columns_->value();
    options.columnGap = gap_->value();
    if (!ApplyOrShowRefusal(*refusal_, [&] { changed_ = ApplyPageOptions(document_, options); }))
        return;
    QDialog::accept();
}

}  // namespace report
