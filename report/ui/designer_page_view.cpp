#include "report/ui/designer_page_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "report/core/base/text.h"
#include "report/core/designer/design_document.h"
#include "report/core/model/band_view.h"
#include "report/core/model/page.h"
#include "report/core/render/page_painter.h"
#include "report/qt/qt_canvas.h"
#include "report/qt/qt_drawing_kit.h"

namespace report {

namespace {

constexpr int kRuler = 24;   // ruler thickness, screen pixels
constexpr int kMargin = 16;  // grey around the paper, screen pixels
constexpr int kHandle = 5;   // handle square, screen pixels

}  // namespace

DesignerPageView::DesignerPageView(DesignDocument& document, QtDrawingKit& kit, QWidget* parent)
    : QWidget(parent), document_(document), kit_(kit) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    setAccessibleName(QStringLiteral("Page de l'état"));
    Relayout();
}

void DesignerPageView::SetZoom(double zoom) {
    zoom_ = std::clamp(zoom, 0.25, 4.0);
    Relayout();
}

void DesignerPageView::SetGrid(int32_t step, bool shown) {
    grid_ = std::max(1, step);
    gridShown_ = shown;
    update();
}

void DesignerPageView::SetRulers(bool shown, DesignUnit unit) {
    rulersShown_ = shown;
    unit_ = unit;
    Relayout();
}

void DesignerPageView::SetInsertKind(std::optional<ObjectKind> kind, BandType bandType) {
    insertKind_ = kind;
    insertBand_ = bandType;
    setCursor(kind ? Qt::CrossCursor : Qt::ArrowCursor);
}

void DesignerPageView::Relayout() {
    resize(sizeHint());
    setMinimumSize(sizeHint());
    update();
}

QSize DesignerPageView::sizeHint() const {
    const Page& page = document_.CurrentPage();
    const int ruler = rulersShown_ ? kRuler : 0;
    return QSize(
        ruler + 2 * kMargin + static_cast<int>(std::ceil(page.metrics.pageWidth * zoom_)),
        ruler + 2 * kMargin + static_cast<int>(std::ceil(page.metrics.pageHeight * zoom_)));
}

QPoint DesignerPageView::ToWidget(int32_t x, int32_t y) const {
    const int origin = (rulersShown_ ? kRuler : 0) + kMargin;
    return QPoint(origin + static_cast<int>(std::lround(x * zoom_)),
                  origin + static_cast<int>(std::lround(y * zoom_)));
}

QPoint DesignerPageView::ToDesign(const QPoint& widget) const {
    const int origin = (rulersShown_ ? kRuler : 0) + kMargin;
    return QPoint(static_cast<int>(std::floor((widget.x() - origin) / zoom_)),
                  static_cast<int>(std::floor((widget.y() - origin) / zoom_)));
}

int32_t DesignerPageView::Tolerance() const {
    return std::max(1, static_cast<int32_t>(std::ceil(4 / zoom_)));
}

void DesignerPageView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xA0, 0xA0, 0xA0));
    const Page& page = document_.CurrentPage();
    const QPoint origin = ToWidget(0, 0);
    const QRect paper(origin,
                      QSize(static_cast<int>(std::lround(page.metrics.pageWidth * zoom_)),
                            static_cast<int>(std::lround(page.metrics.pageHeight * zoom_))));
    painter.fillRect(paper, Qt::white);
    if (gridShown_ && grid_ * zoom_ >= 4) painter.drawImage(origin, GridImage());

    painter.save();
    painter.translate(origin);
    painter.scale(zoom_, zoom_);
    const IntRect printable = page.PrintableArea();
    painter.setPen(QPen(QColor(0x80, 0x80, 0xFF), 0, Qt::DashLine));
    painter.drawRect(QRect(printable.left, printable.top, printable.right - printable.left,
                           printable.bottom - printable.top));
    {
        // The engine's own drawing, in designing mode: what the page will print, with the
        // placeholders of bands and sub-reports.
        QtCanvas canvas(painter);
        PagePaintOptions options;
        options.measuringCanvas = &kit_.measuring;
        options.images = &kit_.images;
        options.printableArea = printable;
        options.designPage = &page;
        // Only the objects in the region to repaint (the scrolled view shows part of the
        // page), in runs so that the drawing order stays the page's.
        const QRect exposed = event->rect();
        const QPoint from = ToDesign(exposed.topLeft()), to = ToDesign(exposed.bottomRight());
        const IntRect area{from.x() - 10, from.y() - 10, to.x() + 10, to.y() + 10};
        const auto& objects = page.Objects();
        size_t run = 0;
        for (size_t i = 0; i <= objects.size(); ++i) {
            if (i < objects.size() && Intersects(RectOf(*objects[i]), area)) continue;
            if (i > run)
                PaintPage(std::span(objects).subspan(run, i - run), canvas, 1.0, 1.0, 0, 0,
                          options);
            run = i + 1;
        }
    }
    painter.restore();

    // Each band's title strip on its left, coloured by kind and named by the engine's text,
    // since the objects on the band hide the caption of its box.
    QFont small = painter.font();
    small.setPixelSize(9);
    painter.setFont(small);
    for (const auto& object : page.Objects()) {
        if (object->objectType != object_type::kBand) continue;
        const QPoint topLeft = ToWidget(object->left, object->top);
        const QPoint bottom = ToWidget(object->left, object->top + object->height);
        const int hue = (object->frameTyp * 37) % 360;
        const QRect strip(topLeft.x() - 14, topLeft.y(), 12, bottom.y() - topLeft.y() + 1);
        painter.fillRect(strip, QColor::fromHsv(hue, 90, 235));
        painter.save();
        painter.setPen(QColor(0x30, 0x30, 0x30));
        painter.translate(strip.left() + 10, strip.bottom());
        painter.rotate(-90);
        const QString caption =
            QString::fromStdString(Cp1252ToUtf8(BandTypeDisplayName(object->frameTyp)));
        painter.drawText(QRect(0, -10, strip.height(), 12), Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(caption, Qt::ElideRight, strip.height()));
        painter.restore();
    }
    PaintSelection(painter);
    if (gesture_ == Gesture::Rubber || gesture_ == Gesture::Inserting) {
        const IntRect area =
            Normalized(pressDesign_.x(), pressDesign_.y(), currentDesign_.x(), currentDesign_.y());
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(ToWidget(area.left, area.top), ToWidget(area.right, area.bottom)));
    }
    if (rulersShown_) PaintRulers(painter);
}

void DesignerPageView::PaintSelection(QPainter& painter) const {
    const Page& page = document_.CurrentPage();
    painter.setPen(Qt::NoPen);
    const bool single = document_.Selection().size() == 1;
    painter.setBrush(single ? QColor(Qt::black) : QColor(0x60, 0x60, 0x60));
    for (size_t index : document_.Selection()) {
        if (index >= page.ObjectCount()) continue;
        const IntRect r = RectOf(page.ObjectAt(index));
        for (Handle handle : kHandles) {
            int32_t x = 0, y = 0;
            HandleCentre(r, handle, x, y);
            const QPoint centre = ToWidget(x, y);
            painter.drawRect(
                QRect(centre.x() - kHandle / 2, centre.y() - kHandle / 2, kHandle, kHandle));
        }
    }
}

void DesignerPageView::PaintRulers(QPainter& painter) const {
    const Page& page = document_.CurrentPage();
    const double pixelsPerMm =
        page.width > 0 ? page.metrics.pageWidth * 10.0 / page.width : 96.0 / 25.4;
    painter.fillRect(QRect(0, 0, width(), kRuler), QColor(0xF0, 0xF0, 0xF0));
    painter.fillRect(QRect(0, 0, kRuler, height()), QColor(0xF0, 0xF0, 0xF0));
    painter.setPen(Qt::black);
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    // Ticks every 1 mm or 10 px, labels every 10 mm or 100 px.
    const double step = unit_ == DesignUnit::Millimetres ? pixelsPerMm : 10.0;
    const int label = 10;
    const int count = static_cast<int>(page.metrics.pageWidth / step) + 1;
    for (int i = 0; i <= count; ++i) {
        const int x = ToWidget(static_cast<int32_t>(std::lround(i * step)), 0).x();
        const int length = i % label == 0 ? 10 : (i % 5 == 0 ? 6 : 3);
        if (step * zoom_ >= 3 || i % label == 0) painter.drawLine(x, kRuler - length, x, kRuler);
        if (i % label == 0 && i > 0)
            painter.drawText(x + 2, 10,
                             QString::number(unit_ == DesignUnit::Millimetres ? i : i * 10));
    }
    const int rows = static_cast<int>(page.metrics.pageHeight / step) + 1;
    for (int i = 0; i <= rows; ++i) {
        const int y = ToWidget(0, static_cast<int32_t>(std::lround(i * step))).y();
        const int length = i % label == 0 ? 10 : (i % 5 == 0 ? 6 : 3);
        if (step * zoom_ >= 3 || i % label == 0) painter.drawLine(kRuler - length, y, kRuler, y);
        if (i % label == 0 && i > 0)
            painter.drawText(1, y - 2,
                             QString::number(unit_ == DesignUnit::Millimetres ? i : i * 10));
    }
    painter.fillRect(QRect(0, 0, kRuler, kRuler), QColor(0xE0, 0xE0, 0xE0));
}

const QImage& DesignerPageView::GridImage() {
    // Thousands of dots: drawn once per zoom, grid and page, then copied at each paint.
    const Page& page = document_.CurrentPage();
    const IntRect printable = page.PrintableArea();
    const QSize size(static_cast<int>(std::lround(page.metrics.pageWidth * zoom_)) + 1,
                     static_cast<int>(std::lround(page.metrics.pageHeight * zoom_)) + 1);
    const GridKey key{zoom_,         grid_,           printable.left,
                      printable.top, printable.right, printable.bottom};
    if (gridImage_.size() == size && gridKey_ == key) return gridImage_;
    gridImage_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
    gridImage_.fill(Qt::transparent);
    const QRgb dot = QColor(0xB0, 0xB0, 0xB0).rgba();
    for (int32_t y = printable.top; y <= printable.bottom; y += grid_) {
        const int py = static_cast<int>(std::lround(y * zoom_));
        if (py < 0 || py >= size.height()) continue;
        auto* line = reinterpret_cast<QRgb*>(gridImage_.scanLine(py));
        for (int32_t x = printable.left; x <= printable.right; x += grid_) {
            const int px = static_cast<int>(std::lround(x * zoom_));
            if (px >= 0 && px < size.width()) line[px] = dot;
        }
    }
    gridKey_ = key;
    return gridImage_;
}

bool DesignerPageView::SelectionHasBand() const {
    for (const View* view : document_.SelectedViews())
        if (view->objectType == object_type::kBand) return true;
    return false;
}

void DesignerPageView::FinishChange(bool bandsTouched) {
    if (bandsTouched) StackBands(document_.CurrentPage());
    document_.Commit();
    update();
    emit changed();
}

void DesignerPageView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton) return;
    const QPoint design = ToDesign(event->position().toPoint());
    pressDesign_ = currentDesign_ = design;
    applied_ = QPoint();
    const Page& page = document_.CurrentPage();
    if (insertKind_) {
        pressDesign_ = currentDesign_ =
            QPoint(SnapToGrid(design.x(), grid_), SnapToGrid(design.y(), grid_));
        gesture_ = Gesture::Inserting;
        return;
    }
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    gesture_ = Gesture::None;
    if (!shift) {
        for (View* view : document_.SelectedViews()) {
            const Handle handle = HandleAt(RectOf(*view), design.x(), design.y(), Tolerance());
            if (handle == Handle::None) continue;
            gesture_ = Gesture::Resizing;
            handle_ = handle;
            return;
        }
    }
    const std::optional<size_t> hit = ObjectAt(page, design.x(), design.y(), Tolerance());
    if (hit) {
        if (shift) {
            document_.ToggleSelected(*hit);
        } else {
            if (!document_.IsSelected(*hit)) document_.Select({*hit});
            const View& anchor = *document_.SelectedViews().front();
            anchorOrigin_ = QPoint(anchor.left, anchor.top);
            gesture_ = Gesture::Moving;
        }
    } else {
        if (!shift) document_.ClearSelection();
        gesture_ = Gesture::Rubber;
    }
    document_.Commit();
    update();
    emit selectionChanged();
}

void DesignerPageView::mouseMoveEvent(QMouseEvent* event) {
    currentDesign_ = ToDesign(event->position().toPoint());
    const QPoint raw = currentDesign_ - pressDesign_;
    if (gesture_ == Gesture::Moving) {
        const QPoint total(SnapToGrid(anchorOrigin_.x() + raw.x(), grid_) - anchorOrigin_.x(),
                           SnapToGrid(anchorOrigin_.y() + raw.y(), grid_) - anchorOrigin_.y());
        const QPoint step = total - applied_;
        if (!step.isNull() && MoveSelection(document_, step.x(), step.y())) applied_ = total;
    } else if (gesture_ == Gesture::Resizing) {
        const QPoint total(SnapToGrid(raw.x(), grid_), SnapToGrid(raw.y(), grid_));
        const QPoint step = total - applied_;
        if (!step.isNull()) {
            ResizeSelection(document_, handle_, step.x(), step.y());
            applied_ = total;
        }
    } else if (gesture_ == Gesture::Inserting) {
        currentDesign_ =
            QPoint(SnapToGrid(currentDesign_.x(), grid_), SnapToGrid(currentDesign_.y(), grid_));
    }
    update();
}

void DesignerPageView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Gesture gesture = gesture_;
    gesture_ = Gesture::None;
    if (gesture == Gesture::Moving || gesture == Gesture::Resizing) {
        if (!applied_.isNull()) FinishChange(SelectionHasBand());
    } else if (gesture == Gesture::Rubber) {
        const IntRect area =
            Normalized(pressDesign_.x(), pressDesign_.y(), currentDesign_.x(), currentDesign_.y());
        std::vector<size_t> touched = ObjectsTouching(document_.CurrentPage(), area);
        if (event->modifiers() & Qt::ShiftModifier) {
            for (size_t index : touched)
                if (!document_.IsSelected(index)) document_.ToggleSelected(index);
        } else if (area.right > area.left || area.bottom > area.top) {
            document_.Select(touched);
        }
        document_.Commit();
        emit selectionChanged();
    } else if (gesture == Gesture::Inserting && insertKind_) {
        const IntRect area =
            Normalized(pressDesign_.x(), pressDesign_.y(), currentDesign_.x(), currentDesign_.y());
        InsertObject(document_, *insertKind_, area, insertBand_);
        SetInsertKind(std::nullopt);
        FinishChange(false);
        emit selectionChanged();
        emit insertFinished();
    }
    update();
}

void DesignerPageView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!document_.Selection().empty() && event->button() == Qt::LeftButton) emit editRequested();
}

bool DesignerPageView::focusNextPrevChild(bool) {
    // Tab walks through the objects of the page, not out of it.
    return false;
}

void DesignerPageView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool control = mods & Qt::ControlModifier;
    int dx = 0, dy = 0;
    switch (event->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            SelectNext(document_, event->key() == Qt::Key_Backtab || shift);
            document_.Commit();
            update();
            emit selectionChanged();
            return;
        case Qt::Key_Left:
            dx = -1;
            break;
        case Qt::Key_Right:
            dx = 1;
            break;
        case Qt::Key_Up:
            dy = -1;
            break;
        case Qt::Key_Down:
            dy = 1;
            break;
        case Qt::Key_Delete:
            if (DeleteSelection(document_) > 0) FinishChange(false);
            emit selectionChanged();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (insertKind_) {
                // Without a mouse: the object goes to the printable area's top left corner.
                const IntRect printable = document_.CurrentPage().PrintableArea();
                InsertObject(document_, *insertKind_,
                             IntRect{printable.left, printable.top, printable.left, printable.top},
                             insertBand_);
                SetInsertKind(std::nullopt);
                FinishChange(false);
                emit selectionChanged();
                emit insertFinished();
            } else if (!document_.Selection().empty()) {
                emit editRequested();
            }
            return;
        case Qt::Key_Escape:
            if (insertKind_) {
                SetInsertKind(std::nullopt);
                emit insertFinished();
            } else {
                document_.ClearSelection();
                document_.Commit();
                emit selectionChanged();
            }
            update();
            return;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    if (document_.Selection().empty()) return;
    const int32_t step = control ? 1 : grid_;
    const bool bands = SelectionHasBand();
    bool done = false;
    if (shift) {
        done = ResizeSelection(document_, Handle::BottomRight, dx * step, dy * step);
    } else {
        int32_t mx = dx * step, my = dy * step;
        if (!control) SnapMove(document_, grid_, mx, my);
        // Off the grid, the first step lands on it; never stand still.
        if (mx == 0 && my == 0) mx = dx, my = dy;
        done = MoveSelection(document_, mx, my);
    }
    if (done) FinishChange(bands);
}

}  // namespace report
