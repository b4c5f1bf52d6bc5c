// What the designer's editors share around their fields: a red line under them that says why
// "OK" was refused, and the "OK" / "Annuler" buttons wired to the dialog's accept and reject.
#pragma once

#include <QString>
#include <functional>

class QDialog;
class QLabel;
class QSpinBox;
class QWidget;

namespace report {

// Lays out `body` (stretching), the refusal line, then the buttons, in `dialog`. Returns the
// refusal line, hidden until a refusal is shown.
QLabel* FrameEditorDialog(QDialog& dialog, QWidget* body);
// Shows `text` in the refusal line, or hides it when empty.
void ShowRefusal(QLabel& line, const QString& text);
// What the refusal line says; empty while it is hidden.
QString RefusalText(const QLabel& line);
// Runs `apply`; an exception it raises is shown in the refusal line (false), otherwise the
// line is hidden (true).
bool ApplyOrShowRefusal(QLabel& line, const std::function<void()>& apply);
// A spin box for a length in design pixels, from 0 to `maximum`.
QSpinBox* PixelSpinBox(QWidget* parent, int value, int maximum);

}  // namespace report
