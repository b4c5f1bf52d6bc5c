#include "report/ui/printer_properties_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/qt/qt_print_service.h"
#include "report/qt/qt_text.h"

namespace report {

PrinterPropertiesDialog::PrinterPropertiesDialog(const QString& printerName,
                                                 std::vector<PrinterOption> options,
                                                 const PrinterOptionChoices& choices,
                                                 QWidget* parent)
    : QDialog(parent), options_(std::move(options)) {
    setWindowTitle(ToQString(EngineText("print.properties.caption")) + " - " + printerName);
    auto* form = new QFormLayout;
    for (const PrinterOption& option : options_) {
        auto* list = new QComboBox(this);
        list->setObjectName(option.key);
        list->addItems(option.choices);
        list->setAccessibleName(option.label);
        const auto chosen = choices.find(option.key);
        const int at =
            chosen != choices.end() ? static_cast<int>(option.choices.indexOf(chosen->second)) : -1;
        list->setCurrentIndex(at >= 0 ? at : option.defaultChoice);
        auto* label = new QLabel(option.label + " :", this);
        label->setBuddy(list);
        form->addRow(label, list);
        lists_.push_back(list);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        buttons->addButton(ToQString(EngineText("print.ok")), QDialogButtonBox::AcceptRole);
    ok->setObjectName("OK");
    ok->setDefault(true);
    buttons->addButton(ToQString(EngineText(text_id::kCancel)), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

PrinterOptionChoices PrinterPropertiesDialog::Choices() const {
    PrinterOptionChoices choices;
    for (size_t i = 0; i < options_.size(); ++i)
        choices[options_[i].key] = lists_[i]->currentText();
    return choices;
}

void InstallPrinterPropertiesDialog(QtPrintService& service, QWidget* parent) {
    QPointer<QWidget> owner(parent);
    service.propertiesDialog = [owner](const QString& printerName, PrinterOptionChoices& choices) {
        std::vector<PrinterOption> options = ReadPrinterOptions(printerName);
        if (options.empty()) {
            QMessageBox::information(owner.data(),
                                     ToQString(EngineText("print.properties.caption")),
                                     ToQString(FormatMessage(EngineText("print.properties.none"),
                                                             {FromQString(printerName)})));
            return false;
        }
        PrinterPropertiesDialog dialog(printerName, std::move(options), choices, owner.data());
        if (dialog.exec() != QDialog::Accepted) return false;
        choices = dialog.Choices();
        return true;
    };
}

}  // namespace report
