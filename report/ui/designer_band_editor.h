// The band editor: the band's data source (or, for a group header, its condition), master,
// flags, child band and columns, and its OnBeforePrint script in a second tab. "OK" applies
// everything as one undo step; a refusal shows the engine's message under the fields and the
// dialog stays open.
#pragma once

#include <QDialog>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;

namespace report {

class BandView;
class DesignDocument;

class DesignerBandEditor : public QDialog {
    Q_OBJECT
  public:
    // `band` is an object of the document's page shown; both must outlive the dialog.
    // `dataSources` are the names the data source list offers (Windows-1252).
    DesignerBandEditor(DesignDocument& document, BandView& band,
                       const std::vector<std::string>& dataSources, QWidget* parent = nullptr);

    // Data bands and the like: the source chosen or typed (a name or a record count).
    QComboBox* DataSource() const { return dataSource_; }
    // Group headers only.
    QLineEdit* Condition() const { return condition_; }
    QComboBox* Master() const { return master_; }
    QComboBox* ChildBand() const { return child_; }
    // The check box of a flag by its name (BandFlagNames); nullptr for another name.
    QCheckBox* FlagBox(std::string_view name) const;
    QSpinBox* Columns() const { return columns_; }
    QSpinBox* ColumnWidth() const { return columnWidth_; }
    QSpinBox* ColumnGap() const { return columnGap_; }
    QPlainTextEdit* ScriptEdit() const { return script_; }
    QTabWidget* Tabs() const { return tabs_; }
    // The refusal shown under the fields; empty when none.
    QString Refusal() const;
    // Whether "OK" changed the band.
    bool Changed() const { return changed_; }

    void accept() override;

  private:
    DesignDocument& document_;
    BandView& band_;
    bool changed_ = false;
    QTabWidget* tabs_ = nullptr;
    QComboBox* dataSource_ = nullptr;
    QLineEdit* condition_ = nullptr;
    QComboBox* master_ = nullptr;
    QComboBox* child_ = nullptr;
    std::map<std::string, QCheckBox*, std::less<>> flags_;
    QSpinBox* columns_ = nullptr;
    QSpinBox* columnWidth_ = nullptr;
    QSpinBox* columnGap_ = nullptr;
    QPlainTextEdit* script_ = nullptr;
    QLabel* refusal_ = nullptr;
};

}  // namespace report
