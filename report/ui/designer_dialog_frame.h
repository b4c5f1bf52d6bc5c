// What the designer's editors share around their fields: a red line under them that says why
// "OK" was refused, and the "OK" / "Annuler" buttons wired to the dialog's accept and reject.
#pragma once

#include <QString>

class QDialog;
class QLabel;
class QWidget;

namespace report {

// Lays out `body` (stretching), the refusal line, then the buttons, in `dialog`. Returns the
// refusal line, hidden until a refusal is shown.
QLabel* FrameEditorDialog(QDialog& dialog, QWidget* body);
// Shows `text` in the refusal line, or hides it when empty.
void ShowRefusal(QLabel& line, const QString& text);
// What the refusal line says; empty while it is hidden.
QString RefusalText(const QLabel& line);

}  // namespace report
