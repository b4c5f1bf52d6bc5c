#include "report/ui/designer_band_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "report/core/base/band_type.h"
#include "report/core/designer/band_settings.h"
#include "report/core/designer/design_document.h"
#include "report/core/designer/expression_check.h"
#include "report/core/model/band_view.h"
#include "report/qt/qt_text.h"
#include "report/ui/designer_dialog_frame.h"
#include "report/ui/designer_text_lines.h"

namespace report {
namespace {

// Columns are sized in design pixels; a page is never wider than this.
constexpr int kMaxColumnPixels = 10000;

// A list of band names whose first entry is "none"; the current name is chosen, and kept even
// when it names nothing of the report any more, so that "OK" says so.
QComboBox* BandList(QWidget* parent, const std::vector<std::string>& names,
                    const std::string& current) {
    auto* combo = new QComboBox(parent);
    combo->addItem(QStringLiteral("(aucune)"), QString());
    for (const std::string& name : names)
        combo->addItem(ToQString(name), ToQString(name));
    if (!current.empty()) {
        int index = combo->findData(ToQString(current));
        if (index < 0) {
            combo->addItem(ToQString(current), ToQString(current));
            index = combo->count() - 1;
        }
        combo->setCurrentIndex(index);
    }
    return combo;
}

}  // namespace

DesignerBandEditor::DesignerBandEditor(DesignDocument& document, BandView& band,
                                       const std::vector<std::string>& dataSources, QWidget* parent)
    : QDialog(parent), document_(document), band_(band) {
    const BandSettings settings = ReadBandSettings(band);
    const BandChoices choices = BandSettingChoices(document.GetReport(), band);
    const bool group = band.BandTypeCode() == band_type::kGroupHeader;
    setWindowTitle(
        QStringLiteral("Bande %1 (%2)")
            .arg(ToQString(band.name), ToQString(BandTypeDisplayName(band.BandTypeCode()))));
    tabs_ = new QTabWidget(this);

    auto* bandPage = new QWidget(tabs_);
    auto* form = new QFormLayout;
    if (group) {
        condition_ = new QLineEdit(ToQString(settings.dataSource), bandPage);
        condition_->setPlaceholderText(QStringLiteral("[Equipes.\"Poule\"]"));
        form->addRow(QStringLiteral("&Condition :"), condition_);
    } else {
        dataSource_ = new QComboBox(bandPage);
        dataSource_->setEditable(true);
        dataSource_->addItem(QString());
        for (const std::string& source : dataSources)
            dataSource_->addItem(ToQString(source));
        dataSource_->setCurrentText(ToQString(settings.dataSource));
        dataSource_->setToolTip(
            QStringLiteral("Une source de données, ou un nombre d'enregistrements"));
        form->addRow(QStringLiteral("&Source de données :"), dataSource_);
    }
    master_ = BandList(bandPage, choices.masters, settings.master);
    form->addRow(QStringLiteral("&Maître :"), master_);
    child_ = BandList(bandPage, choices.children, settings.childBand);
    form->addRow(QStringLiteral("Bande &enfant :"), child_);

    auto* options = new QGroupBox(QStringLiteral("Options"), bandPage);
    auto* optionsLayout = new QGridLayout(options);
    int row = 0;
    for (std::string_view name : BandFlagNames()) {
        auto* box = new QCheckBox(ToQString(name), options);
        box->setChecked(settings.Flag(name));
        optionsLayout->addWidget(box, row / 2, row % 2);
        flags_.emplace(std::string(name), box);
        ++row;
    }

    auto* columns = new QGroupBox(QStringLiteral("Colonnes"), bandPage);
    auto* columnsLayout = new QFormLayout(columns);
    columns_ = new QSpinBox(columns);
    columns_->setRange(1, kMaxBandColumns);
    columns_->setValue(settings.columns);
    columnsLayout->addRow(QStringLiteral("&Nombre :"), columns_);
    columnWidth_ = PixelSpinBox(columns, settings.columnWidth, kMaxColumnPixels);
    columnsLayout->addRow(QStringLiteral("&Largeur :"), columnWidth_);
    columnGap_ = PixelSpinBox(columns, settings.columnGap, kMaxColumnPixels);
    columnsLayout->addRow(QStringLiteral("Es&pacement :"), columnGap_);

    auto* bandLayout = new QVBoxLayout(bandPage);
    bandLayout->addLayout(form);
    bandLayout->addWidget(options);
    bandLayout->addWidget(columns);
    bandLayout->addStretch(1);
    tabs_->addTab(bandPage, QStringLiteral("&Bande"));

    auto* scriptPage = new QWidget(tabs_);
    auto* scriptLabel = new QLabel(QStringLiteral("&OnBeforePrint :"), scriptPage);
    script_ = new QPlainTextEdit(scriptPage);
    script_->setPlainText(JoinedLines(settings.script));
    script_->setLineWrapMode(QPlainTextEdit::NoWrap);
    scriptLabel->setBuddy(script_);
    auto* scriptLayout = new QVBoxLayout(scriptPage);
    scriptLayout->addWidget(scriptLabel);
    scriptLayout->addWidget(script_, 1);
    tabs_->addTab(scriptPage, QStringLiteral("&Script"));

    refusal_ = FrameEditorDialog(*this, tabs_);
    resize(520, 480);
}

QCheckBox* DesignerBandEditor::FlagBox(std::string_view name) const {
    const auto found = flags_.find(name);
    return found != flags_.end() ? found->second : nullptr;
}

QString DesignerBandEditor::Refusal() const {
    return RefusalText(*refusal_);
}

void DesignerBandEditor::accept() {
    // Flags the editor does not show pass through from what the band holds.
    BandSettings settings = ReadBandSettings(band_);
    settings.dataSource =
        FromQString(condition_ != nullptr ? condition_->text() : dataSource_->currentText());
    settings.master = FromQString(master_->currentData().toString());
    settings.childBand = FromQString(child_->currentData().toString());
    for (const auto& [name, box] : flags_)
        settings.SetFlag(name, box->isChecked());
    settings.columns = columns_->value();
    settings.columnWidth = columnWidth_->value();
    settings.columnGap = columnGap_->value();
    settings.script = SplitLines(script_->toPlainText());
    try {
        changed_ = ApplyBandSettings(document_, band_, settings);
    } catch (const std::exception& error) {
        ShowRefusal(*refusal_, ToQString(error.what()));
        // A script that does not compile is shown where it can be mended.
        const std::vector<std::string> scriptErrors = ScriptErrors(settings.script);
        if (!scriptErrors.empty() && scriptErrors.front() == error.what()) {
            tabs_->setCurrentIndex(1);
            script_->setFocus();
        }
        return;
    }
    ShowRefusal(*refusal_, QString());
    QDialog::accept();
}

}  // namespace report
