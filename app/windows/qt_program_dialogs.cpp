#include "app/windows/qt_program_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/logic/app_texts.h"
#include "app/windows/widget_text.h"
#include "report/qt/qt_text.h"

namespace app {
namespace {

// Message boxes break lines at CR as well as at LF, as the texts expect.
QString BoxText(const std::string& cp1252) {
    QString text = report::ToQString(cp1252);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Messages carry file paths and names chosen by the user: a "<" or "&" in them is text, never
// markup that would hide or reshape the message.
void ShowAsPlainText(QMessageBox& box) {
    box.setTextFormat(Qt::PlainText);
}

QMessageBox::Icon IconOf(int flags) {
    switch (flags & 0xF0) {
        case report::mb::kIconError:
            return QMessageBox::Critical;
        case report::mb::kIconQuestion:
            return QMessageBox::Question;
        case report::mb::kIconWarning:
            return QMessageBox::Warning;
        case report::mb::kIconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

}  // namespace

QWidget* QtProgramDialogs::Owner() const {
    if (owner_) return owner_.data();
    return QApplication::activeWindow();
}

int QtProgramDialogs::ShowMessage(const std::string& text, const std::string& caption, int flags) {
    QMessageBox box(IconOf(flags), report::ToQString(caption), BoxText(text), QMessageBox::NoButton,
                    Owner());
    ShowAsPlainText(box);
    struct Choice {
        QString caption;
        QMessageBox::ButtonRole role;
        int result;
    };
    std::vector<Choice> choices;
    const Choice ok{QStringLiteral("OK"), QMessageBox::AcceptRole, report::mr::kOk};
    const Choice cancel{QStringLiteral("Annuler"), QMessageBox::RejectRole, report::mr::kCancel};
    const Choice yes{QStringLiteral("&Oui"), QMessageBox::YesRole, report::mr::kYes};
    const Choice no{QStringLiteral("&Non"), QMessageBox::NoRole, report::mr::kNo};
    switch (flags & 0x0F) {
        case report::mb::kOkCancel:
            choices = {ok, cancel};
            break;
        case report::mb::kYesNoCancel:
            choices = {yes, no, cancel};
            break;
        case report::mb::kYesNo:
            choices = {yes, no};
            break;
        default:
            choices = {ok};
            break;
    }
    std::vector<std::pair<QAbstractButton*, int>> buttons;
    for (const Choice& choice : choices) {
        buttons.emplace_back(box.addButton(choice.caption, choice.role), choice.result);
    }
    box.setDefaultButton(static_cast<QPushButton*>(buttons.front().first));
    box.exec();
    for (const auto& [button, result] : buttons) {
        if (box.clickedButton() == button) return result;
    }
    // Closed by Escape or the title bar: the cancel answer when there is one.
    return choices.size() > 1 ? choices.back().result : report::mr::kOk;
}

bool QtProgramDialogs::AskText(const std::string& caption, const std::string& prompt,
                               std::string& value) {
    bool accepted = false;
    const QString answer =
        QInputDialog::getText(Owner(), report::ToQString(caption), report::ToQString(prompt),
                              QLineEdit::Normal, report::ToQString(value), &accepted);
    if (accepted) value = report::FromQString(answer);
    return accepted;
}

void QtProgramDialogs::ShowYesWarning(const std::string& text, const std::string& caption) {
    QMessageBox box(QMessageBox::Warning, report::ToQString(caption), BoxText(text),
                    QMessageBox::NoButton, Owner());
    ShowAsPlainText(box);
    box.setDefaultButton(box.addButton(QStringLiteral("&Oui"), QMessageBox::YesRole));
    box.exec();
}

std::optional<std::string> QtProgramDialogs::ChooseTeamFile(const std::string& folder) {
    QFileDialog dialog(Owner(), QStringLiteral("Ouvrir"), QString::fromStdString(folder));
    dialog.setObjectName(QStringLiteral("OD_Charge"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The patterns accept any case, as the file names of the competition site's users vary;
    // .html is listed because browsers save pages under that extension today.
    dialog.setNameFilter(QText(texts::kOpenFilterDescription) +
                         QStringLiteral("(*.[Cc][Ss][Vv] *.[Hh][Tt][Mm] *.[Hh][Tt][Mm][Ll])"));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

}  // namespace app
