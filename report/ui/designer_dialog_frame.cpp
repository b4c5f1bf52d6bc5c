#include "report/ui/designer_dialog_frame.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <exception>

#include "report/qt/qt_text.h"

namespace report {

QLabel* FrameEditorDialog(QDialog& dialog, QWidget* body) {
    auto* refusal = new QLabel(&dialog);
    refusal->setStyleSheet(QStringLiteral("color: #B00000"));
    refusal->setWordWrap(true);
    refusal->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                         Qt::Horizontal, &dialog);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(body, 1);
    layout->addWidget(refusal);
    layout->addWidget(buttons);
    return refusal;
}

void ShowRefusal(QLabel& line, const QString& text) {
    line.setText(text);
    line.setVisible(!text.isEmpty());
}

QString RefusalText(const QLabel& line) {
    return line.isHidden() ? QString() : line.text();
}

bool ApplyOrShowRefusal(QLabel& line, const std::function<void()>& apply) {
    try {
        apply();
    } catch (const std::exception& error) {
        ShowRefusal(line, ToQString(error.what()));
        return false;
    }
    ShowRefusal(line, QString());
    return true;
}

QSpinBox* PixelSpinBox(QWidget* parent, int value, int maximum) {
    auto* box = new QSpinBox(parent);
    box->setRange(0, maximum);
    box->setSuffix(QStringLiteral(" px"));
    box->setValue(value);
    return box;
}

}  // namespace report
