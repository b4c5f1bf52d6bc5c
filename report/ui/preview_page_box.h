// The panel the preview paints its pages on. It paints what the controller plans and hands
// mouse input to it; it never erases its own background.
//
// Units: screen pixels of the box.
#pragma once

#include <QWidget>

#include "report/core/render/page_drawing.h"

namespace report {

class PreviewController;

class PreviewPageBox : public QWidget {
    Q_OBJECT
  public:
    PreviewPageBox(PreviewController& controller, QWidget* parent = nullptr);

    void SetPaintOptions(const PageDrawOptions& options) { options_ = options; }
    // The mouse-wheel multiplier: 1 in a window of its own, 3 hosted in a panel.
    void SetWheelStep(int step) { wheelStep_ = step; }

  signals:
    // The controller's scroll position or current page changed through the mouse.
    void ViewMoved();
    void DoubleClicked();
    // The right button: the window pops its zoom and page menu up there (global position).
    void MenuRequested(const QPoint& globalPosition);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    PreviewController& controller_;
    PageDrawOptions options_;
    int wheelStep_ = 1;
    int wheelRemainder_ = 0;  // eighths of a degree not yet a whole notch
};

}  // namespace report
