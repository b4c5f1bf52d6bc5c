#include "report/ui/find_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "report/core/base/engine_strings.h"
#include "report/qt/qt_text.h"

namespace report {
namespace {

QString Caption(const char* key) {
    return ToQString(EngineText(key));
}

// The caption without its accelerator mark, for screen readers.
QString Plain(const char* key) {
    return Caption(key).remove('&');
}

}  // namespace

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(Caption("preview.search.caption"));
    setAccessibleName(Caption("preview.search.caption"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(Caption("preview.search.text"), this);
    text_ = new QLineEdit(this);
    text_->setAccessibleName(Plain("preview.search.text"));
    label->setBuddy(text_);
    layout->addWidget(label);
    layout->addWidget(text_);
    caseSensitive_ = new QCheckBox(Caption("preview.search.case"), this);
    caseSensitive_->setAccessibleName(Plain("preview.search.case"));
    layout->addWidget(caseSensitive_);
    auto* origin = new QGroupBox(Caption("preview.search.origin"), this);
    origin->setAccessibleName(Plain("preview.search.origin"));
    auto* originLayout = new QVBoxLayout(origin);
    first_ = new QRadioButton(Caption("preview.search.first"), origin);
    first_->setAccessibleName(Plain("preview.search.first"));
    current_ = new QRadioButton(Caption("preview.search.current"), origin);
    current_->setAccessibleName(Plain("preview.search.current"));
    first_->setChecked(true);
    originLayout->addWidget(first_);
    originLayout->addWidget(current_);
    layout->addWidget(origin);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok =
        buttons->addButton(Caption("preview.search.ok"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(ToQString(EngineText(text_id::kCancel)), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::string FindDialog::Text() const {
    return FromQString(text_->text());
}

void FindDialog::SetText(const std::string& text) {
    text_->setText(ToQString(text));
}

bool FindDialog::CaseSensitive() const {
    return caseSensitive_->isChecked();
}

void FindDialog::SetCaseSensitive(bool on) {
    caseSensitive_->setChecked(on);
}

bool FindDialog::FromFirstPage() const {
    return first_->isChecked();
}

void FindDialog::SetFromFirstPage(bool on) {
    (on ? first_ : current_)->setChecked(true);
}

void FindDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    text_->setFocus();
    text_->selectAll();
}

}  // namespace report
