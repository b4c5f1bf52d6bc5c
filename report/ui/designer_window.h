// The report designer's main window: the menu bar, the toolbar of object kinds, a tab per page
// over the page view, the object inspector and the tree of the report's data, and the status
// bar that names the selected object. It only calls the designer's logic.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "report/core/designer/design_document.h"
#include "report/core/designer/sample_values.h"
#include "report/qt/qt_drawing_kit.h"

class QAction;
class QActionGroup;
class QMenu;
class QScrollArea;
class QTabBar;
class QTreeWidget;

namespace report {

class BandView;
class DesignerBandEditor;
class DesignerFontEditor;
class DesignerFormatEditor;
class DesignerFrameEditor;
class DesignerHighlightEditor;
class DesignerInspector;
class DesignerPageView;
class EngineCore;
class View;
class PreviewWindow;

class DesignerWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Neither is owned; both must outlive the window.
    DesignerWindow(ModelState& state, EngineCore& core, QWidget* parent = nullptr);
    ~DesignerWindow() override;

    // Opens a template; false after showing why it could not.
    bool OpenFile(const QString& path);
    // Saves to `path` (its extension chooses the form); false after showing why it could not.
    bool SaveFile(const QString& path);
    // Builds the template on the sample records and opens the preview; false after showing
    // the build's message (the object it names is then selected).
    bool Preview();

    DesignDocument& Document() { return document_; }
    DesignerPageView& PageView() { return *pageView_; }
    DesignerInspector& Inspector() { return *inspector_; }
    QTabBar& PageTabs() { return *tabs_; }
    QTreeWidget& DataTree() { return *dataTree_; }
    // The values file and the number of records the preview builds on.
    void SetSampleValues(SampleValues values, int records);
    // Called once the preview window is on screen (tests look at it and close it here).
    std::function<void(PreviewWindow& window)> onPreviewShown;
    // Called once the band editor is on screen (tests fill it in and close it here).
    std::function<void(DesignerBandEditor& editor)> onBandEditorShown;
    std::function<void(DesignerFormatEditor& editor)> onFormatEditorShown;
    std::function<void(DesignerHighlightEditor& editor)> onHighlightEditorShown;
    std::function<void(DesignerFrameEditor& editor)> onFrameEditorShown;
    std::function<void(DesignerFontEditor& editor)> onFontEditorShown;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolbar();
    QWidget* ToolbarButton(QAction* action) const;
    // After any change: title, tabs, inspector, tree, status bar and actions follow.
    void DocumentChanged();
    void SelectionChanged();
    void ShowPage(int index);
    void UpdateTitle();
    void UpdateActions();
    void FillDataTree();
    void ShowError(const QString& caption, const std::exception& error);
    // Unsaved changes: asks whether to save them; false when the user cancels.
    bool MaySetDocumentAside();
    void Apply(const std::function<bool()>& change, bool bands = false);
    void EditSelected();
    // The text object's editor; its text and script change as one step.
    void EditText(View& view);
    // The band editor, which applies its settings as one step.
    void EditBand(BandView& band);
    // The data sources a band may print: the program's own data set first.
    std::vector<std::string> DataSourceNames() const;
    // The display format editor, for the selected text objects.
    void EditDisplayFormat();
    // The highlight editor, for the selected text objects; it applies itself as one step.
    void EditHighlight();
    // The frame and fill editor, for the selected objects but bands; one step as well.
    void EditFrame();
    // The font editor, for the selected text objects; one step as well.
    void EditFont();
    void NewDocument();
    void OpenAsked();
    bool SaveAsked();
    bool SaveAsAsked();
    void ChooseSampleValues();
    void ChooseRecordCount();
    void Cut();
    void Copy();
    void Paste();

    DesignDocument document_;
    EngineCore& core_;
    QtDrawingKit kit_;
    SampleValues sampleValues_;
    int sampleRecords_ = -1;

    DesignerPageView* pageView_ = nullptr;
    DesignerInspector* inspector_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QTreeWidget* dataTree_ = nullptr;
    QActionGroup* kinds_ = nullptr;
    QMenu* insertMenu_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    bool millimetres_ = true;
};

}  // namespace report
