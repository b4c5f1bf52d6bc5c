// The preview window: a report's prepared pages on screen with the toolbar, zoom menu, page
// thumbnails, scrolling, keyboard, mouse, search, context help, prepared files and PDF
// export. The logic lives in PreviewController; this window shows it and forwards input.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "report/core/output/preview_controller.h"
#include "report/core/render/page_drawing.h"
#include "report/qt/qt_font_metrics.h"
#include "report/qt/qt_image_decoder.h"

class QActionGroup;
class QLabel;
class QListView;
class QMenu;
class QScrollBar;
class QToolBar;
class QToolButton;

namespace report {

class PreparedPages;
class PreviewPageBox;
class PreviewThumbnails;
class Report;

// The zoom every preview of the run starts from.
ZoomMemory& SharedPreviewZoom();

class PreviewWindow : public QDialog {
    Q_OBJECT
  public:
    // `zoom`: shared by the previews of the run (not owned).
    explicit PreviewWindow(QWidget* parent = nullptr, ZoomMemory& zoom = SharedPreviewZoom());
    ~PreviewWindow() override;

    // Takes the pages over and shows them from page 1: modally (returning when the window
    // closes) when the report's ModalPreview is set, else shown and returning at once.
    // `printerAvailable`: the platform lists a printer.
    void ShowPages(Report& report, std::unique_ptr<PreparedPages> pages, bool printerAvailable);
    // Takes the pages over without showing the window (for a host panel and tests): from page
    // 1 when `firstPage`, else on the page shown before (as far as the new pages reach).
    void AttachPages(Report& report, std::unique_ptr<PreparedPages> pages, bool printerAvailable,
                     bool firstPage = true);
    std::unique_ptr<PreparedPages> ReturnPages();

    PreviewController& Controller() { return controller_; }
    PreviewPageBox& PageBox() { return *pageBox_; }
    QToolBar& Toolbar() { return *toolbar_; }
    QString PageLabelText() const;

    // Print and page set-up, done by the print dialog: the window lends its pages.
    std::function<void(PreparedPages& pages)> onPrint;
    std::function<void(PreparedPages& pages)> onPageSetup;
    // Called with the page number whenever the page label changes (a host panel's hook).
    std::function<void(int page)> onPageChanged;

    // The toolbar's commands, as the buttons and shortcuts run them. Paths are local file
    // names; an empty one asks with a file dialog. Failures show the engine's error box.
    void Load(const QString& path = {});
    void Save(const QString& path = {});
    void ExportPdf(const QString& path = {});
    void Find();
    // The find dialog's answer, without the dialog.
    void Search(const std::string& text, bool caseSensitive, bool fromFirstPage);
    void FindNext();
    void ChooseZoom(int tag);
    void EnterHelpMode();
    void LeaveHelpMode();
    void SetThumbnailsVisible(bool on);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QToolButton* AddButton(const QString& hint, const QString& name, int tag, QIcon icon);
    void BuildZoomMenu();
    void ApplyToolbar();
    void SyncView();  // scroll bars, label, zoom caption and checked item, repaint
    void ShowPageLabel();
    void ReportSearch(SearchOutcome outcome);
    void ShowError(const std::string& message);
    void ShowHelpFor(QWidget* widget);
    void StorePlacementOnce();
    // How pages are painted on screen, in thumbnails and into a PDF: the same everywhere.
    PageDrawOptions PaintOptions() const { return {nullptr, &images_, false}; }

    PreviewController controller_;
    QtFontMetrics metrics_;
    QtImageDecoder images_;
    Report* report_ = nullptr;
    bool placementStored_ = false;
    bool helpMode_ = false;
    bool syncing_ = false;

    QToolBar* toolbar_;
    QToolButton* zoomButton_;
    QToolButton* loadButton_;
    QToolButton* saveButton_;
    QToolButton* printButton_;
    QToolButton* pageSetupButton_;
    QToolButton* exportButton_;
    QToolButton* findButton_;
    QToolButton* helpButton_;
    QToolButton* exitButton_;
    QToolButton* thumbnailsButton_;
    QAction* zoomSeparator_;
    QAction* findSeparator_;
    QMenu* zoomMenu_;
    QActionGroup* zoomGroup_;
    PreviewPageBox* pageBox_;
    QScrollBar* vertical_;
    QScrollBar* horizontal_;
    QToolButton* pageUp_;
    QToolButton* pageDown_;
    QLabel* pageLabel_;
    QListView* thumbnailView_;
    PreviewThumbnails* thumbnails_;

    std::string lastText_;
    bool lastCaseSensitive_ = false;
    bool lastFromFirst_ = true;
};

}  // namespace report
