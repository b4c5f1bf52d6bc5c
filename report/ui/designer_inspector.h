// The object inspector: one row per property that the selected objects (or the page, when
// none is selected) list, from the engine's description of each field. A value typed changes
// every selected object as one step; a value the property refuses is not stored, the row shows
// its previous value again and the engine's message shows below the table.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "report/core/designer/property_editing.h"

class QLabel;
class QTableWidget;
class QTableWidgetItem;

namespace report {

class DesignDocument;
class PropertyObject;

class DesignerInspector : public QWidget {
    Q_OBJECT
  public:
    // `document` is not owned and must outlive the inspector.
    explicit DesignerInspector(DesignDocument& document, QWidget* parent = nullptr);

    // Reads the rows again from the selection.
    void Refresh();
    void SetUnit(const UnitScale& scale);

    QTableWidget& Table() const { return *table_; }
    // The message of the last refused value; empty after an accepted one.
    QString Message() const;

  signals:
    // A value was stored and the step committed.
    void changed();

  private:
    std::vector<PropertyObject*> Objects() const;
    void Store(int row, const QString& text);

    DesignDocument& document_;
    UnitScale scale_;
    QTableWidget* table_;
    QLabel* message_;
    std::vector<PropertyRow> rows_;
    bool filling_ = false;
};

}  // namespace report
