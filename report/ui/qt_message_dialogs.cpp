#include "report/ui/qt_message_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "report/core/base/text.h"

namespace report {

namespace {

QString FromEngine(const std::string& cp1252) {
    QString text = QString::fromStdString(Cp1252ToUtf8(cp1252));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

int QtMessageDialogs::ShowMessage(const std::string& text, const std::string& caption, int flags) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(FromEngine(caption));
    box.setText(FromEngine(text));
    switch (flags & 0xF0) {
        case mb::kIconError:
            box.setIcon(QMessageBox::Critical);
            break;
        case mb::kIconQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case mb::kIconWarning:
            box.setIcon(QMessageBox::Warning);
            break;
        case mb::kIconInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
    }
    switch (flags & 0x0F) {
        case mb::kOkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case mb::kYesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case mb::kYesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return mr::kOk;
        case QMessageBox::Yes:
            return mr::kYes;
        case QMessageBox::No:
            return mr::kNo;
        case QMessageBox::Cancel:
            return mr::kCancel;
        default:
            return mr::kNone;
    }
}

bool QtMessageDialogs::AskText(const std::string& caption, const std::string& prompt,
                               std::string& value) {
    bool ok = false;
    const QString typed =
        QInputDialog::getText(QApplication::activeWindow(), FromEngine(caption), FromEngine(prompt),
                              QLineEdit::Normal, FromEngine(value), &ok);
    if (ok) value = Utf8ToCp1252(typed.toStdString());
    return ok;
}

}  // namespace report
