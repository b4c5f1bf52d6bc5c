// The designer's page: the paper and margins of the page's printer settings, the grid, the
// rulers, every object painted by the engine's own drawing code in designing mode at the zoom,
// and the selection with its handles. Mouse and keyboard change the document through the
// designer's commands; each finished gesture is one step of its history.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <optional>

#include "report/core/base/band_type.h"
#include "report/core/designer/design_commands.h"
#include "report/core/designer/property_editing.h"

namespace report {

class DesignDocument;
struct QtDrawingKit;

class DesignerPageView : public QWidget {
    Q_OBJECT
  public:
    // Neither is owned; both must outlive the view.
    DesignerPageView(DesignDocument& document, QtDrawingKit& kit, QWidget* parent = nullptr);

    // 1.0 = 100 %: one design pixel per screen pixel.
    void SetZoom(double zoom);
    double Zoom() const { return zoom_; }
    // Grid step in design pixels (moves and inserts snap to it; arrows move by it).
    void SetGrid(int32_t step, bool shown);
    int32_t GridStep() const { return grid_; }
    void SetRulers(bool shown, DesignUnit unit);
    // The next press on the page inserts this kind (a band of `bandType`); none: select.
    void SetInsertKind(std::optional<ObjectKind> kind, BandType bandType = BandType::MasterData);
    std::optional<ObjectKind> InsertKind() const { return insertKind_; }

    // The size of the paper and rulers at the zoom; called when the page changes.
    void Relayout();
    // Widget pixels of a design point, and back.
    QPoint ToWidget(int32_t x, int32_t y) const;
    QPoint ToDesign(const QPoint& widget) const;

  signals:
    // The document changed and a step was committed.
    void changed();
    void selectionChanged();
    // Enter on a selection: the first selected object's editor.
    void editRequested();
    void insertFinished();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    QSize sizeHint() const override;

  private:
    enum class Gesture { None, Moving, Resizing, Rubber, Inserting };
    void PaintRulers(QPainter& painter) const;
    // The grid's dots over the whole paper at the zoom (screen pixels).
    const QImage& GridImage();
    void PaintSelection(QPainter& painter) const;
    // Ends a move or resize: bands stacked again, one step committed.
    void FinishChange(bool bandsTouched);
    bool SelectionHasBand() const;
    int32_t Tolerance() const;

    DesignDocument& document_;
    QtDrawingKit& kit_;
    double zoom_ = 1.0;
    int32_t grid_ = 8;
    bool gridShown_ = true;
    bool rulersShown_ = true;
    DesignUnit unit_ = DesignUnit::Millimetres;
    std::optional<ObjectKind> insertKind_;
    BandType insertBand_ = BandType::MasterData;

    Gesture gesture_ = Gesture::None;
    Handle handle_ = Handle::None;
    QPoint pressDesign_;
    QPoint currentDesign_;
    QPoint anchorOrigin_;  // the first selected object's position when the gesture began
    QPoint applied_;       // what the gesture has moved or resized so far

    struct GridKey {
        double zoom = 0;
        int32_t step = 0, left = 0, top = 0, right = 0, bottom = 0;
        friend bool operator==(const GridKey&, const GridKey&) = default;
    };
    QImage gridImage_;
    GridKey gridKey_;
};

}  // namespace report
