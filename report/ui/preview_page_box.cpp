#include "report/ui/preview_page_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "report/core/output/page_draw_rect.h"
#include "report/core/output/preview_controller.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/qt/qt_canvas.h"

namespace report {
namespace {

const QColor kBackground(128, 128, 128);
constexpr int kWheelNotch = 120;

QRect ToQRect(const IntRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

PreviewPageBox::PreviewPageBox(PreviewController& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setProperty("tag", 207);
}

void PreviewPageBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (!controller_.HasPages()) {
        painter.fillRect(rect(), palette().color(QPalette::Button));
        return;
    }
    const QRect exposed = event->rect();
    const PaintPlan plan = controller_.PlanPaint(
        IntRect{exposed.left(), exposed.top(), exposed.right() + 1, exposed.bottom() + 1});
    PreparedPages& pages = *controller_.Pages();
    for (int index : plan.release)
        pages.ReleasePage(index);

    // The grey around the pages, their insides left alone.
    QRegion background(exposed);
    for (const PaintPlan::Page& page : plan.draw)
        background -= ToQRect(page.sheet).adjusted(1, 1, -1, -1);
    painter.setClipRegion(background);
    painter.fillRect(exposed, kBackground);
    painter.setClipping(false);

    painter.setPen(QPen(Qt::black, 1));
    for (const PaintPlan::Page& page : plan.draw) {
        const IntRect& s = page.sheet;
        painter.fillRect(ToQRect(s), Qt::white);
        painter.drawRect(s.left, s.top, s.right - s.left - 1, s.bottom - s.top - 1);
        painter.drawLine(s.left + 1, s.bottom, s.right, s.bottom);
        painter.drawLine(s.right, s.bottom, s.right, s.top + 1);
    }
    for (const PaintPlan::Page& page : plan.draw) {
        painter.save();
        painter.setClipRect(ToQRect(page.sheet).adjusted(1, 1, -1, -1).intersected(exposed));
        QtCanvas canvas(painter);
        canvas.SetClipRegion(std::vector<IntRect>{
            IntRect{exposed.left(), exposed.top(), exposed.right() + 1, exposed.bottom() + 1}});
        DrawPage(pages, page.index, canvas, page.drawRect, options_);
        painter.restore();
    }
    // The last search hit, outlined until the next search or page change.
    if (const auto hit = controller_.HitOnScreen()) {
        painter.setPen(QPen(QColor(255, 0, 0), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(ToQRect(*hit).adjusted(-2, -2, 2, 2));
    }
}

void PreviewPageBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    controller_.SetBoxSize(width(), height());
    emit ViewMoved();
}

void PreviewPageBox::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() == Qt::RightButton) {
        emit MenuRequested(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const QPoint p = event->position().toPoint();
    controller_.Press(p.x(), p.y());
}

void PreviewPageBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    if (controller_.Dragging()) {
        controller_.DragTo(p.x(), p.y());
        emit ViewMoved();
        return;
    }
    const int cursor = controller_.CursorAt(p.x(), p.y(), Qt::ArrowCursor);
    setCursor(QCursor(static_cast<Qt::CursorShape>(cursor)));
}

void PreviewPageBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) controller_.Release();
}

void PreviewPageBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    controller_.DoubleClick();
    emit DoubleClicked();
    emit ViewMoved();
}

void PreviewPageBox::wheelEvent(QWheelEvent* event) {
    wheelRemainder_ += event->angleDelta().y();
    const int notches = wheelRemainder_ / kWheelNotch;
    wheelRemainder_ -= notches * kWheelNotch;
    if (notches != 0) {
        controller_.Wheel(-notches, wheelStep_);  // wheel up scrolls up
        emit ViewMoved();
    }
    event->accept();
}

}  // namespace report
