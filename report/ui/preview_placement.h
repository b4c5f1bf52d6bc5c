// Where the preview window stood when it was last closed, kept per user: organisation
// "Tombage" (Software\Tombage on Windows), section "Form/PreviewWindow", values XPosition,
// YPosition, Width, Height and Maximized.
#pragma once

class QWidget;

namespace report {

// Moves and sizes the window as stored; a value not stored keeps the window's current one,
// and Maximized defaults to true.
void RestorePreviewPlacement(QWidget& window);
void StorePreviewPlacement(const QWidget& window);

}  // namespace report
