#include "report/ui/preview_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/qt/qt_text.h"
#include "report/ui/find_dialog.h"
#include "report/ui/preview_page_box.h"
#include "report/ui/preview_pdf_export.h"
#include "report/ui/preview_placement.h"
#include "report/ui/preview_thumbnails.h"

namespace report {
namespace {

QString Text(const char* key) {
    return ToQString(EngineText(key));
}

QString FileFilter() {
    return Text("preview.file_filter") + " (*.etp)";
}

PreviewKey KeyOf(int key) {
    switch (key) {
        case Qt::Key_Up:
            return PreviewKey::Up;
        case Qt::Key_Down:
            return PreviewKey::Down;
        case Qt::Key_Left:
            return PreviewKey::Left;
        case Qt::Key_Right:
            return PreviewKey::Right;
        case Qt::Key_PageUp:
            return PreviewKey::PageUp;
        case Qt::Key_PageDown:
            return PreviewKey::PageDown;
        case Qt::Key_Home:
            return PreviewKey::Home;
        case Qt::Key_End:
            return PreviewKey::End;
        case Qt::Key_Space:
            return PreviewKey::Space;
        case Qt::Key_Escape:
            return PreviewKey::Escape;
        case Qt::Key_F3:
            return PreviewKey::F3;
        case Qt::Key_O:
            return PreviewKey::O;
        case Qt::Key_S:
            return PreviewKey::S;
        case Qt::Key_P:
            return PreviewKey::P;
        case Qt::Key_F:
            return PreviewKey::F;
        case Qt::Key_E:
            return PreviewKey::E;
        default:
            return PreviewKey::Other;
    }
}

}  // namespace

ZoomMemory& SharedPreviewZoom() {
    static ZoomMemory memory;
    return memory;
}

PreviewWindow::PreviewWindow(QWidget* parent, ZoomMemory& zoom)
    : QDialog(parent), controller_(zoom) {
    setWindowTitle(Text("preview.caption"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(443, 305);
    controller_.SetSearchMetrics(&metrics_);

    toolbar_ = new QToolBar(this);
    toolbar_->setIconSize(QSize(16, 16));
    toolbar_->setMovable(false);
    zoomButton_ = AddButton(Text("preview.hint.zoom"), Text("preview.hint.zoom"), 200, {});
    zoomButton_->setMinimumWidth(53);
    zoomSeparator_ = toolbar_->addSeparator();
    QStyle* s = style();
    loadButton_ = AddButton(Text("preview.hint.load"), Text("preview.hint.load"), 201,
                            s->standardIcon(QStyle::SP_DialogOpenButton));
    saveButton_ = AddButton(Text("preview.hint.save"), Text("preview.hint.save"), 202,
                            s->standardIcon(QStyle::SP_DialogSaveButton));
    exportButton_ = AddButton(Text("preview.export_pdf"), Text("preview.export_pdf"), 202,
                              s->standardIcon(QStyle::SP_FileIcon));
    printButton_ = AddButton(Text("preview.hint.print"), Text("preview.hint.print"), 203,
                             s->standardIcon(QStyle::SP_DriveFDIcon));
    pageSetupButton_ = AddButton(QString(), Text("preview.page_setup"), 203,
                                 s->standardIcon(QStyle::SP_FileDialogDetailedView));
    toolbar_->addSeparator();
    findButton_ = AddButton(Text("preview.hint.find"), Text("preview.hint.find"), 204,
                            s->standardIcon(QStyle::SP_FileDialogContentsView));
    helpButton_ = AddButton(Text("preview.hint.help"), Text("preview.hint.help"), 0,
                            s->standardIcon(QStyle::SP_DialogHelpButton));
    helpButton_->setCheckable(true);
    thumbnailsButton_ = AddButton(Text("preview.thumbnails"), Text("preview.thumbnails"), 207,
                                  s->standardIcon(QStyle::SP_FileDialogListView));
    thumbnailsButton_->setCheckable(true);
    findSeparator_ = toolbar_->addSeparator();
    exitButton_ = AddButton(Text("preview.hint.exit"), Text("preview.hint.exit"), 205,
                            s->standardIcon(QStyle::SP_DialogCloseButton));
    BuildZoomMenu();

    pageBox_ = new PreviewPageBox(controller_, this);
    pageBox_->setAccessibleName(Text("preview.caption"));
    vertical_ = new QScrollBar(Qt::Vertical, this);
    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    for (QScrollBar* bar : {vertical_, horizontal_}) {
        bar->setSingleStep(kSmallScrollStep);
        bar->setPageStep(kLargeScrollStep);
        bar->setMaximum(32000);
        bar->setFocusPolicy(Qt::NoFocus);
    }
    pageUp_ = new QToolButton(this);
    pageUp_->setArrowType(Qt::UpArrow);
    pageUp_->setFixedSize(16, 16);
    pageUp_->setToolTip(Text("preview.previous_page"));
    pageUp_->setAccessibleName(Text("preview.previous_page"));
    pageDown_ = new QToolButton(this);
    pageDown_->setArrowType(Qt::DownArrow);
    pageDown_->setFixedSize(16, 16);
    pageDown_->setToolTip(Text("preview.next_page"));
    pageDown_->setAccessibleName(Text("preview.next_page"));
    for (QToolButton* b : {pageUp_, pageDown_})
        b->setFocusPolicy(Qt::NoFocus);
    pageLabel_ = new QLabel(this);
    pageLabel_->setFixedWidth(77);
    pageLabel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pageLabel_->setProperty("tag", 206);

    thumbnails_ = new PreviewThumbnails(this);
    thumbnailView_ = new QListView(this);
    thumbnailView_->setModel(thumbnails_);
    thumbnailView_->setViewMode(QListView::ListMode);
    thumbnailView_->setIconSize(
        QSize(PreviewThumbnails::kWidth, PreviewThumbnails::kWidth * 3 / 2));
    thumbnailView_->setFixedWidth(PreviewThumbnails::kWidth + 40);
    thumbnailView_->setUniformItemSizes(true);
    thumbnailView_->setAccessibleName(Text("preview.thumbnails"));
    thumbnailView_->setFocusPolicy(Qt::NoFocus);
    thumbnailView_->hide();

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(vertical_, 1);
    column->addWidget(pageUp_);
    column->addWidget(pageDown_);
    auto* client = new QHBoxLayout;
    client->setSpacing(0);
    client->addWidget(thumbnailView_);
    client->addWidget(pageBox_, 1);
    client->addLayout(column);
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(3);
    bottom->addWidget(pageLabel_);
    bottom->addWidget(horizontal_, 1);
    bottom->addSpacing(16);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar_);
    layout->addLayout(client, 1);
    layout->addLayout(bottom);

    controller_.onPageChanged = [this](int page) {
        ShowPageLabel();
        if (onPageChanged) onPageChanged(page);
    };
    connect(vertical_, &QScrollBar::valueChanged, this, [this](int value) {
        if (syncing_) return;
        controller_.ScrollVerticallyTo(value);
        SyncView();
    });
    connect(horizontal_, &QScrollBar::valueChanged, this, [this](int value) {
        if (syncing_) return;
        controller_.ScrollHorizontallyTo(value);
        SyncView();
    });
    connect(pageUp_, &QToolButton::clicked, this, [this] {
        controller_.PreviousPage();
        SyncView();
    });
    connect(pageDown_, &QToolButton::clicked, this, [this] {
        controller_.NextPage();
        SyncView();
    });
    connect(pageBox_, &PreviewPageBox::ViewMoved, this, &PreviewWindow::SyncView);
    connect(pageBox_, &PreviewPageBox::MenuRequested, this,
            [this](const QPoint& at) { zoomMenu_->popup(at); });
    connect(zoomButton_, &QToolButton::clicked, this, [this] {
        zoomMenu_->popup(zoomButton_->mapToGlobal(QPoint(0, zoomButton_->height())));
    });
    connect(loadButton_, &QToolButton::clicked, this, [this] { Load(); });
    connect(saveButton_, &QToolButton::clicked, this, [this] { Save(); });
    connect(exportButton_, &QToolButton::clicked, this, [this] { ExportPdf(); });
    connect(printButton_, &QToolButton::clicked, this, [this] {
        if (onPrint && controller_.Pages() != nullptr) onPrint(*controller_.Pages());
        SyncView();
    });
    connect(pageSetupButton_, &QToolButton::clicked, this, [this] {
        if (onPageSetup && controller_.Pages() != nullptr) onPageSetup(*controller_.Pages());
        controller_.ResetView(true);
        SyncView();
    });
    connect(findButton_, &QToolButton::clicked, this, &PreviewWindow::Find);
    connect(helpButton_, &QToolButton::clicked, this, &PreviewWindow::EnterHelpMode);
    connect(thumbnailsButton_, &QToolButton::toggled, this, &PreviewWindow::SetThumbnailsVisible);
    connect(exitButton_, &QToolButton::clicked, this, &QDialog::accept);
    connect(thumbnailView_, &QListView::clicked, this, [this](const QModelIndex& index) {
        controller_.SetCurrentPage(index.row() + 1);
        controller_.ScrollToCurrentPage();
        SyncView();
    });
    pageBox_->setFocus();
}

PreviewWindow::~PreviewWindow() {
    LeaveHelpMode();
    thumbnails_->SetPages(nullptr, {});
}

QToolButton* PreviewWindow::AddButton(const QString& hint, const QString& name, int tag,
                                      QIcon icon) {
    auto* button = new QToolButton(toolbar_);
    button->setToolTip(hint);
    button->setAccessibleName(name);
    button->setProperty("tag", tag);
    button->setFocusPolicy(Qt::NoFocus);
    if (icon.isNull()) {
        button->setText(name);
    } else {
        button->setIcon(icon);
        button->setFixedSize(24, 24);
    }
    toolbar_->addWidget(button);
    return button;
}

void PreviewWindow::BuildZoomMenu() {
    zoomMenu_ = new QMenu(this);
    zoomGroup_ = new QActionGroup(zoomMenu_);
    for (const ZoomMenuItem& item : ZoomMenuItems()) {
        QAction* action = zoomMenu_->addAction(ToQString(EngineText(item.textKey)));
        action->setObjectName(item.name);
        action->setCheckable(true);
        action->setData(item.tag);
        zoomGroup_->addAction(action);
        const int tag = item.tag;
        connect(action, &QAction::triggered, this, [this, tag] { ChooseZoom(tag); });
    }
}

void PreviewWindow::AttachPages(Report& report, std::unique_ptr<PreparedPages> pages,
                                bool printerAvailable, bool firstPage) {
    report_ = &report;
    controller_.AttachPages(std::move(pages));
    controller_.ApplyReportOptions(report, printerAvailable);
    pageBox_->SetPaintOptions(PaintOptions());
    thumbnails_->SetPages(controller_.Pages(), PaintOptions());
    QString caption = Text("preview.caption");
    if (!report.title.empty()) caption += " - " + ToQString(report.title);
    setWindowTitle(caption);
    ApplyToolbar();
    controller_.SetBoxSize(pageBox_->width(), pageBox_->height());
    controller_.ResetView(firstPage);
    SyncView();
}

void PreviewWindow::ShowPages(Report& report, std::unique_ptr<PreparedPages> pages,
                              bool printerAvailable) {
    if (pages == nullptr || pages->PageCount() == 0) return;
    AttachPages(report, std::move(pages), printerAvailable);
    if (report.modalPreview) {
        exec();
    } else {
        show();
    }
}

std::unique_ptr<PreparedPages> PreviewWindow::ReturnPages() {
    thumbnails_->SetPages(nullptr, {});
    auto pages = controller_.ReturnPages();
    SyncView();
    return pages;
}

QString PreviewWindow::PageLabelText() const {
    return pageLabel_->text();
}

void PreviewWindow::ApplyToolbar() {
    const ToolbarState& t = controller_.Toolbar();
    // A widget on a toolbar shows and hides through its action, and a hidden one takes no room.
    const auto show = [this](QToolButton* button, bool on) {
        for (QAction* action : toolbar_->actions())
            if (toolbar_->widgetForAction(action) == button) action->setVisible(on);
    };
    show(zoomButton_, t.zoom);
    show(loadButton_, t.load);
    show(saveButton_, t.save);
    show(exportButton_, t.exportPdf);
    show(printButton_, t.print);
    show(pageSetupButton_, t.pageSetup);
    show(findButton_, t.find);
    show(helpButton_, t.help);
    show(exitButton_, t.exit);
    zoomSeparator_->setVisible(t.zoomSeparator);
    findSeparator_->setVisible(t.findSeparator);
    printButton_->setEnabled(t.printEnabled);
    pageSetupButton_->setEnabled(t.printEnabled);
    const bool grayed = report_ != nullptr && report_->grayedButtons;
    for (QToolButton* b : toolbar_->findChildren<QToolButton*>())
        b->setAutoRaise(!grayed);
}

void PreviewWindow::SyncView() {
    syncing_ = true;
    horizontal_->setMaximum(controller_.Layout().horizontalMaximum);
    vertical_->setMaximum(controller_.Layout().verticalMaximum);
    horizontal_->setEnabled(controller_.Layout().horizontalMaximum > 0);
    vertical_->setEnabled(controller_.Layout().verticalMaximum > 0);
    horizontal_->setValue(controller_.HorizontalPosition());
    vertical_->setValue(controller_.VerticalPosition());
    syncing_ = false;
    ShowPageLabel();
    if (controller_.HasPages()) {
        zoomButton_->setText(ToQString(controller_.ZoomButtonCaption()));
        // the name says what the button does; the description, what it shows
        zoomButton_->setAccessibleDescription(zoomButton_->text());
    }
    const int checked = controller_.CheckedZoomTag();
    for (QAction* action : zoomGroup_->actions())
        action->setChecked(action->data().toInt() == checked);
    if (thumbnailView_->isVisible() && controller_.CurrentPage() > 0)
        thumbnailView_->setCurrentIndex(thumbnails_->index(controller_.CurrentPage() - 1));
    pageBox_->update();
}

void PreviewWindow::ShowPageLabel() {
    // A screen reader hears the label's name: the page it shows, not a fixed word.
    const QString text = ToQString(controller_.PageLabel());
    pageLabel_->setText(text);
    pageLabel_->setAccessibleName(text.isEmpty() ? Text("preview.page") : text);
    pageBox_->setAccessibleDescription(text);
}

void PreviewWindow::ChooseZoom(int tag) {
    controller_.ChooseZoom(tag);
    SyncView();
}

void PreviewWindow::ShowError(const std::string& message) {
    QMessageBox::critical(this, ToQString(EngineText(text_id::kErrorCaption)), ToQString(message));
}

void PreviewWindow::Load(const QString& chosen) {
    if (!controller_.HasPages()) return;
    QString path = chosen;
    if (path.isEmpty()) path = QFileDialog::getOpenFileName(this, QString(), {}, FileFilter());
    if (path.isEmpty()) return;
    try {
        thumbnails_->SetPages(nullptr, {});
        controller_.Load(FromQString(path));
    } catch (const EngineError& error) {
        ShowError(error.what());
    }
    thumbnails_->SetPages(controller_.Pages(), PaintOptions());
    SyncView();
}

void PreviewWindow::Save(const QString& chosen) {
    if (!controller_.HasPages()) return;
    QString path = chosen;
    if (path.isEmpty())
        path = QFileDialog::getSaveFileName(this, QString(), {}, FileFilter(), nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return;
    try {
        controller_.Save(FromQString(path));
    } catch (const EngineError& error) {
        ShowError(error.what());
    }
}

void PreviewWindow::ExportPdf(const QString& chosen) {
    if (!controller_.HasPages()) return;
    QString path = chosen;
    if (path.isEmpty())
        path = QFileDialog::getSaveFileName(this, Text("preview.export_pdf"), {},
                                            Text("preview.pdf_filter") + " (*.pdf)");
    if (path.isEmpty()) return;
    if (!path.endsWith(".pdf", Qt::CaseInsensitive)) path += ".pdf";
    try {
        ExportPagesToPdf(*controller_.Pages(), path, PaintOptions());
    } catch (const EngineError& error) {
        ShowError(error.what());
    }
    pageBox_->update();
}

void PreviewWindow::Find() {
    if (report_ == nullptr || !controller_.HasPages()) return;
    FindDialog dialog(this);
    dialog.SetCaseSensitive(lastCaseSensitive_);
    dialog.SetFromFirstPage(lastFromFirst_);
    if (dialog.exec() != QDialog::Accepted) return;
    Search(dialog.Text(), dialog.CaseSensitive(), dialog.FromFirstPage());
}

void PreviewWindow::Search(const std::string& text, bool caseSensitive, bool fromFirstPage) {
    lastText_ = text;
    lastCaseSensitive_ = caseSensitive;
    lastFromFirst_ = fromFirstPage;
    ReportSearch(controller_.StartSearch(text, caseSensitive, fromFirstPage));
}

void PreviewWindow::FindNext() {
    if (!controller_.HasSearchText()) return;
    ReportSearch(controller_.ContinueSearch());
}

void PreviewWindow::ReportSearch(SearchOutcome outcome) {
    SyncView();
    if (outcome == SearchOutcome::NotFound)
        QMessageBox::information(this, Text("preview.search.caption"),
                                 Text("preview.search.not_found"));
}

void PreviewWindow::SetThumbnailsVisible(bool on) {
    thumbnailView_->setVisible(on);
    thumbnailsButton_->setChecked(on);
    SyncView();
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    const KeyModifiers modifiers{(event->modifiers() & Qt::ControlModifier) != 0,
                                 (event->modifiers() & Qt::ShiftModifier) != 0};
    const PreviewAction action = controller_.HandleKey(KeyOf(event->key()), modifiers);
    switch (action) {
        case PreviewAction::NotHandled:
            return QDialog::keyPressEvent(event);
        case PreviewAction::ZoomMenu:
            zoomButton_->click();
            break;
        case PreviewAction::Close:
            accept();
            break;
        case PreviewAction::FindNext:
            FindNext();
            break;
        case PreviewAction::Load:
            Load();
            break;
        case PreviewAction::Save:
            Save();
            break;
        case PreviewAction::Print:
            printButton_->click();
            break;
        case PreviewAction::Find:
            Find();
            break;
        case PreviewAction::ExportPdf:
            ExportPdf();
            break;
        default:
            break;
    }
    SyncView();
    event->accept();
}

void PreviewWindow::showEvent(QShowEvent* event) {
    // Opened maximized unless the user left it otherwise last time.
    if (!placementStored_) RestorePreviewPlacement(*this);
    QDialog::showEvent(event);
    pageBox_->setFocus();
}

void PreviewWindow::StorePlacementOnce() {
    if (placementStored_ || !isVisible()) return;
    placementStored_ = true;
    StorePreviewPlacement(*this);
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    LeaveHelpMode();
    StorePlacementOnce();
    QDialog::closeEvent(event);
}

void PreviewWindow::done(int result) {
    LeaveHelpMode();
    StorePlacementOnce();
    QDialog::done(result);
}

void PreviewWindow::EnterHelpMode() {
    if (helpMode_) return;
    helpMode_ = true;
    helpButton_->setChecked(true);
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    qApp->installEventFilter(this);
}

void PreviewWindow::LeaveHelpMode() {
    // The cursor is the whole program's: it must not outlive help mode, however it ends.
    if (!helpMode_) return;
    helpMode_ = false;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    helpButton_->setChecked(false);
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (helpMode_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        // Escape leaves help mode only; the next one closes the window.
        LeaveHelpMode();
        return true;
    }
    if (helpMode_ && event->type() == QEvent::MouseButtonPress) {
        LeaveHelpMode();
        auto* mouse = static_cast<QMouseEvent*>(event);
        QWidget* target = childAt(mapFromGlobal(mouse->globalPosition().toPoint()));
        if (target != nullptr && target != helpButton_) ShowHelpFor(target);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::ShowHelpFor(QWidget* widget) {
    for (QWidget* w = widget; w != nullptr && w != this; w = w->parentWidget()) {
        const int tag = w->property("tag").toInt();
        if (tag < 200 || tag > 207) continue;
        const std::string key = "preview.help." + std::to_string(tag);
        if (!HasEngineText(key)) return;
        QToolTip::showText(w->mapToGlobal(QPoint(0, w->height())), ToQString(EngineText(key)), w);
        return;
    }
}

}  // namespace report
