#include "report/ui/designer_window.h"

#include <QAccessible>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/core/building/text_layout_measurer.h"
#include "report/core/designer/design_clipboard.h"
#include "report/core/designer/design_commands.h"
#include "report/core/designer/display_format_edit.h"
#include "report/core/designer/expression_catalog.h"
#include "report/core/designer/font_edit.h"
#include "report/core/designer/frame_fill_edit.h"
#include "report/core/designer/highlight_edit.h"
#include "report/core/designer/preview_build.h"
#include "report/core/language/engine_core.h"
#include "report/core/model/band_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"
#include "report/qt/qt_text.h"
#include "report/ui/designer_about.h"
#include "report/ui/designer_band_editor.h"
#include "report/ui/designer_dictionary_editor.h"
#include "report/ui/designer_font_editor.h"
#include "report/ui/designer_format_editor.h"
#include "report/ui/designer_frame_editor.h"
#include "report/ui/designer_highlight_editor.h"
#include "report/ui/designer_inspector.h"
#include "report/ui/designer_memo_editor.h"
#include "report/ui/designer_page_options.h"
#include "report/ui/designer_page_view.h"
#include "report/ui/designer_report_options.h"
#include "report/ui/preview_window.h"
#include "report/ui/report_preview.h"

namespace report {

namespace {

std::string NativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Moves, pastes and inserts of the toolbar land on this grid (design pixels).
constexpr int32_t kGrid = 8;

const char* KindName(const View& view) {
    switch (view.objectType) {
        case object_type::kMemo:
            return "Texte";
        case object_type::kPicture:
            return "Image";
        case object_type::kBand:
            return "Bande";
        case object_type::kSubReport:
            return "Sous-état";
        case object_type::kLine:
            return "Ligne";
        default:
            return "Objet";
    }
}

}  // namespace

DesignerWindow::DesignerWindow(ModelState& state, EngineCore& core, QWidget* parent)
    : QMainWindow(parent), document_(state), core_(core) {
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    tabs_ = new QTabBar(centre);
    tabs_->setAccessibleName(QStringLiteral("Pages"));
    tabs_->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(tabs_);
    scroll_ = new QScrollArea(centre);
    scroll_->setBackgroundRole(QPalette::Dark);
    pageView_ = new DesignerPageView(document_, kit_);
    scroll_->setWidget(pageView_);
    layout->addWidget(scroll_, 1);
    setCentralWidget(centre);

    inspector_ = new DesignerInspector(document_, this);
    auto* inspectorDock = new QDockWidget(QStringLiteral("Inspecteur d'objets"), this);
    inspectorDock->setObjectName(QStringLiteral("inspecteur"));
    inspectorDock->setWidget(inspector_);
    addDockWidget(Qt::RightDockWidgetArea, inspectorDock);
    dataTree_ = new QTreeWidget(this);
    dataTree_->setHeaderLabel(QStringLiteral("Données"));
    dataTree_->setAccessibleName(QStringLiteral("Données de l'état"));
    auto* dataDock = new QDockWidget(QStringLiteral("Données"), this);
    dataDock->setObjectName(QStringLiteral("donnees"));
    dataDock->setWidget(dataTree_);
    addDockWidget(Qt::RightDockWidgetArea, dataDock);

    BuildMenus();
    BuildToolbar();
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) { ShowPage(index); });
    connect(pageView_, &DesignerPageView::changed, this, [this] { DocumentChanged(); });
    connect(pageView_, &DesignerPageView::selectionChanged, this, [this] { SelectionChanged(); });
    connect(pageView_, &DesignerPageView::editRequested, this, [this] { EditSelected(); });
    connect(pageView_, &DesignerPageView::insertFinished, this, [this] {
        if (QAction* checked = kinds_->checkedAction()) checked->setChecked(false);
    });
    connect(inspector_, &DesignerInspector::changed, this, [this] {
        pageView_->Relayout();
        DocumentChanged();
    });
    pageView_->SetGrid(kGrid, true);
    inspector_->SetUnit(UnitScale{DesignUnit::Millimetres, 96.0 / 25.4});
    resize(1100, 800);
    DocumentChanged();
    pageView_->setFocus();
}

DesignerWindow::~DesignerWindow() = default;

void DesignerWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    file->addAction(QStringLiteral("&Nouveau"), QKeySequence::New, this, [this] { NewDocument(); });
    file->addAction(QStringLiteral("&Ouvrir…"), QKeySequence::Open, this, [this] { OpenAsked(); });
    file->addAction(QStringLiteral("&Enregistrer"), QKeySequence::Save, this,
                    [this] { SaveAsked(); });
    file->addAction(QStringLiteral("Enregistrer &sous…"), QKeySequence::SaveAs, this,
                    [this] { SaveAsAsked(); });
    file->addSeparator();
    file->addAction(QStringLiteral("&Aperçu"), QKeySequence(Qt::CTRL | Qt::Key_P), this,
                    [this] { Preview(); });
    file->addAction(QStringLiteral("&Valeurs d'essai…"), this, [this] { ChooseSampleValues(); });
    file->addAction(QStringLiteral("Enregistrements d'&essai…"), this,
                    [this] { ChooseRecordCount(); });
    file->addSeparator();
    // Both dialogs apply and commit themselves; a cancel leaves the template untouched.
    file->addAction(QStringLiteral("Options de l'é&tat…"), this, [this] {
        DesignerReportOptions dialog(document_, this);
        if (dialog.exec() == QDialog::Accepted && dialog.Changed()) DocumentChanged();
    });
    file->addAction(QStringLiteral("&Mise en page…"), this, [this] {
        DesignerPageOptions dialog(document_, this);
        if (dialog.exec() == QDialog::Accepted && dialog.Changed()) DocumentChanged();
    });
    file->addAction(QStringLiteral("&Dictionnaire de données…"), this, [this] {
        DesignerDictionaryEditor dialog(document_, this);
        if (dialog.exec() == QDialog::Accepted && dialog.Changed()) DocumentChanged();
    });
    file->addSeparator();
    file->addAction(QStringLiteral("&Quitter"), QKeySequence(Qt::CTRL | Qt::Key_Q), this,
                    [this] { close(); });

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edition"));
    undo_ = edit->addAction(QStringLiteral("&Annuler"), QKeySequence::Undo, this, [this] {
        if (document_.Undo()) DocumentChanged();
    });
    redo_ = edit->addAction(QStringLiteral("&Rétablir"), QKeySequence(Qt::CTRL | Qt::Key_Y), this,
                            [this] {
                                if (document_.Redo()) DocumentChanged();
                            });
    edit->addSeparator();
    edit->addAction(QStringLiteral("Co&uper"), QKeySequence::Cut, this, [this] { Cut(); });
    edit->addAction(QStringLiteral("&Copier"), QKeySequence::Copy, this, [this] { Copy(); });
    edit->addAction(QStringLiteral("C&oller"), QKeySequence::Paste, this, [this] { Paste(); });
    // Delete is the page's own key; the menu item names it without taking it.
    edit->addAction(QStringLiteral("&Supprimer\tSuppr"), this,
                    [this] { Apply([this] { return DeleteSelection(document_) > 0; }); });
    edit->addAction(QStringLiteral("&Tout sélectionner"), QKeySequence::SelectAll, this, [this] {
        std::vector<size_t> all(document_.CurrentPage().ObjectCount());
        for (size_t i = 0; i < all.size(); ++i)
            all[i] = i;
        document_.Select(all);
        document_.Commit();
        SelectionChanged();
    });

    QMenu* object = menuBar()->addMenu(QStringLiteral("&Objet"));
    const struct {
        const char* text;
        Alignment alignment;
    } alignments[] = {
        {"Aligner à &gauche", Alignment::Lefts},
        {"Aligner à &droite", Alignment::Rights},
        {"Aligner en &haut", Alignment::Tops},
        {"Aligner en &bas", Alignment::Bottoms},
        {"Centrer &horizontalement", Alignment::HorizontalCentres},
        {"Centrer &verticalement", Alignment::VerticalCentres},
    };
    for (const auto& a : alignments) {
        const Alignment alignment = a.alignment;
        object->addAction(QString::fromUtf8(a.text), this, [this, alignment] {
            Apply([=, this] { return AlignSelection(document_, alignment); });
        });
    }
    object->addSeparator();
    object->addAction(QStringLiteral("Même &largeur"), this,
                      [this] { Apply([this] { return SameSize(document_, true, false); }); });
    object->addAction(QStringLiteral("Même hau&teur"), this,
                      [this] { Apply([this] { return SameSize(document_, false, true); }); });
    object->addAction(QStringLiteral("Même &taille"), this,
                      [this] { Apply([this] { return SameSize(document_, true, true); }); });
    object->addSeparator();
    object->addAction(QStringLiteral("Mettre au &premier plan"), this,
                      [this] { Apply([this] { return BringToFront(document_); }); });
    object->addAction(QStringLiteral("Mettre à l'&arrière-plan"), this,
                      [this] { Apply([this] { return SendToBack(document_); }); });
    object->addSeparator();
    object->addAction(QStringLiteral("&Modifier…"), this, [this] { EditSelected(); });
    object->addAction(QStringLiteral("&Format d'affichage…"), this,
                      [this] { EditDisplayFormat(); });
    object->addAction(QStringLiteral("&Surbrillance…"), this, [this] { EditHighlight(); });
    object->addAction(QStringLiteral("&Cadre et fond…"), this, [this] { EditFrame(); });
    object->addAction(QStringLiteral("P&olice…"), this, [this] { EditFont(); });
    // The toolbar's kinds, for the keyboard: chosen here, Entrée on the page inserts.
    insertMenu_ = object->addMenu(QStringLiteral("&Insérer"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&Affichage"));
    for (int percent : {50, 75, 100, 150, 200}) {
        view->addAction(QStringLiteral("Zoom %1 %").arg(percent), this,
                        [this, percent] { pageView_->SetZoom(percent / 100.0); });
    }
    view->addAction(QStringLiteral("Zoom a&vant"), QKeySequence::ZoomIn, this,
                    [this] { pageView_->SetZoom(pageView_->Zoom() * 1.25); });
    view->addAction(QStringLiteral("Zoom a&rrière"), QKeySequence::ZoomOut, this,
                    [this] { pageView_->SetZoom(pageView_->Zoom() / 1.25); });
    view->addSeparator();
    QAction* grid = view->addAction(QStringLiteral("&Grille"));
    grid->setCheckable(true);
    grid->setChecked(true);
    connect(grid, &QAction::toggled, this, [this](bool on) { pageView_->SetGrid(kGrid, on); });
    QAction* rulers = view->addAction(QStringLiteral("&Règles"));
    rulers->setCheckable(true);
    rulers->setChecked(true);
    QAction* pixels = view->addAction(QStringLiteral("Unité : &pixels"));
    pixels->setCheckable(true);
    const auto units = [this, rulers, pixels] {
        millimetres_ = !pixels->isChecked();
        const DesignUnit unit = millimetres_ ? DesignUnit::Millimetres : DesignUnit::Pixels;
        pageView_->SetRulers(rulers->isChecked(), unit);
        inspector_->SetUnit(UnitScale{unit, 96.0 / 25.4});
    };
    connect(rulers, &QAction::toggled, this, units);
    connect(pixels, &QAction::toggled, this, units);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Ai&de"));
    help->addAction(QStringLiteral("À &propos du concepteur…"), this, [this] {
        DesignerAbout about(this);
        about.exec();
    });
}

void DesignerWindow::BuildToolbar() {
    QToolBar* toolbar = addToolBar(QStringLiteral("Objets"));
    toolbar->setObjectName(QStringLiteral("objets"));
    toolbar->setAccessibleName(QStringLiteral("Objets"));
    kinds_ = new QActionGroup(this);
    kinds_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const struct {
        const char* text;
        ObjectKind kind;
    } kinds[] = {{"Texte", ObjectKind::Text},
                 {"Bande", ObjectKind::Band},
                 {"Image", ObjectKind::Picture},
                 {"Ligne", ObjectKind::Line},
                 {"Sous-état", ObjectKind::SubReport}};
    for (const auto& k : kinds) {
        QAction* action = toolbar->addAction(QString::fromUtf8(k.text));
        action->setCheckable(true);
        action->setToolTip(QStringLiteral("Insérer : %1").arg(QString::fromUtf8(k.text)));
        kinds_->addAction(action);
        const ObjectKind kind = k.kind;
        if (kind == ObjectKind::Band) {
            // The band's kind is chosen from the band types, in the order bands stand.
            auto* menu = new QMenu(this);
            for (BandType type : BandOrder()) {
                menu->addAction(ToQString(BandTypeDisplayName(band_type::Code(type))), this,
                                [this, action, type] {
                                    action->setChecked(true);
                                    pageView_->SetInsertKind(ObjectKind::Band, type);
                                    pageView_->setFocus();
                                });
            }
            action->setMenu(menu);
            connect(action, &QAction::triggered, this, [this, action, menu](bool on) {
                if (!on) {
                    pageView_->SetInsertKind(std::nullopt);
                    return;
                }
                action->setChecked(false);
                QWidget* button = ToolbarButton(action);
                menu->popup(button != nullptr ? button->mapToGlobal(QPoint(0, button->height()))
                                              : QCursor::pos());
            });
        } else {
            connect(action, &QAction::triggered, this, [this, kind](bool on) {
                pageView_->SetInsertKind(on ? std::optional<ObjectKind>(kind) : std::nullopt);
                pageView_->setFocus();
            });
        }
        if (QWidget* button = toolbar->widgetForAction(action))
            button->setAccessibleName(QString::fromUtf8(k.text));
        insertMenu_->addAction(action);
    }
}

QWidget* DesignerWindow::ToolbarButton(QAction* action) const {
    for (QToolBar* toolbar : findChildren<QToolBar*>())
        if (QWidget* button = toolbar->widgetForAction(action)) return button;
    return nullptr;
}

void DesignerWindow::Apply(const std::function<bool()>& change, bool bands) {
    if (!change()) return;
    if (bands) StackBands(document_.CurrentPage());
    document_.Commit();
    DocumentChanged();
}

void DesignerWindow::DocumentChanged() {
    const QSignalBlocker block(tabs_);
    const Report& report = document_.GetReport();
    while (tabs_->count() > static_cast<int>(report.pages.Count()))
        tabs_->removeTab(tabs_->count() - 1);
    for (size_t i = 0; i < report.pages.Count(); ++i) {
        const QString name = ToQString(report.pages[i].name);
        const QString label = name.isEmpty() ? QStringLiteral("Page %1").arg(i + 1) : name;
        const int index = static_cast<int>(i);
        if (index >= tabs_->count())
            tabs_->addTab(label);
        else
            tabs_->setTabText(index, label);
        tabs_->setAccessibleTabName(index, QStringLiteral("Page : ") + label);
    }
    tabs_->setCurrentIndex(static_cast<int>(document_.PageIndex()));
    pageView_->Relayout();
    FillDataTree();
    SelectionChanged();
    UpdateTitle();
    UpdateActions();
}

void DesignerWindow::SelectionChanged() {
    inspector_->Refresh();
    pageView_->update();
    const std::vector<View*> selected = document_.SelectedViews();
    QString text;
    if (selected.size() == 1) {
        const View& view = *selected.front();
        text =
            QStringLiteral("%1 : %2").arg(ToQString(view.name), QString::fromUtf8(KindName(view)));
        if (view.objectType == object_type::kBand)
            text += QStringLiteral(" (%1)").arg(ToQString(BandTypeDisplayName(view.frameTyp)));
    } else if (selected.size() > 1) {
        text = QStringLiteral("%1 objets sélectionnés").arg(selected.size());
    } else {
        text = QStringLiteral("Page : %1").arg(ToQString(document_.CurrentPage().name));
    }
    statusBar()->showMessage(text);
    // Screen readers hear the selection as the status bar names it.
    QAccessibleEvent event(statusBar(), QAccessible::NameChanged);
    statusBar()->setAccessibleName(text);
    QAccessible::updateAccessibility(&event);
}

void DesignerWindow::ShowPage(int index) {
    if (index < 0 || static_cast<size_t>(index) == document_.PageIndex()) return;
    document_.ShowPage(static_cast<size_t>(index));
    document_.Commit();
    pageView_->Relayout();
    SelectionChanged();
}

void DesignerWindow::UpdateTitle() {
    const QString name = document_.Path().empty()
                             ? QStringLiteral("Sans nom")
                             : QFileInfo(QFile::decodeName(document_.Path().c_str())).fileName();
    setWindowTitle(QStringLiteral("Concepteur d'états - ") + name +
                   (document_.Modified() ? QStringLiteral("*") : QString()));
}

void DesignerWindow::UpdateActions() {
    undo_->setEnabled(document_.CanUndo());
    redo_->setEnabled(document_.CanRedo());
}

void DesignerWindow::FillDataTree() {
    dataTree_->clear();
    const Report& report = document_.GetReport();
    auto* sources = new QTreeWidgetItem(dataTree_, {QStringLiteral("Sources de données")});
    for (const std::string& source : DataSourceNames()) {
        auto* item = new QTreeWidgetItem(sources, {ToQString(source)});
        // The program's own data set holds the sample values' columns.
        if (source == "userDataset1")
            for (const std::string& name : sampleValues_.names)
                new QTreeWidgetItem(item, {ToQString(name)});
    }
    auto* variables = new QTreeWidgetItem(dataTree_, {QStringLiteral("Variables")});
    for (const std::string& category : report.dictionary.Categories()) {
        auto* item = new QTreeWidgetItem(variables, {ToQString(category)});
        for (const std::string& variable : report.dictionary.VariablesOf(category))
            new QTreeWidgetItem(item, {ToQString(variable)});
    }
    auto* standard = new QTreeWidgetItem(dataTree_, {QStringLiteral("Variables standard")});
    for (const char* name :
         {"PAGE#", "TOTALPAGES", "LINE#", "LINETHROUGH#", "COLUMN#", "CURRENT#", "DATE", "TIME"})
        new QTreeWidgetItem(standard, {QString::fromLatin1(name)});
    dataTree_->expandAll();
}

void DesignerWindow::ShowError(const QString& caption, const std::exception& error) {
    // Through the engine's dialog service, which tests answer.
    Dialogs().ShowMessage(error.what(), FromQString(caption), mb::kOk | mb::kIconError);
}

bool DesignerWindow::OpenFile(const QString& path) {
    try {
        document_.Open(NativePath(path));
    } catch (const std::exception& error) {
        ShowError(QStringLiteral("Ouvrir"), error);
        return false;
    }
    DocumentChanged();
    scroll_->ensureVisible(0, 0);
    pageView_->setFocus();
    return true;
}

bool DesignerWindow::SaveFile(const QString& path) {
    try {
        document_.Save(NativePath(path));
    } catch (const std::exception& error) {
        ShowError(QStringLiteral("Enregistrer"), error);
        UpdateTitle();
        return false;
    }
    UpdateTitle();
    return true;
}

void DesignerWindow::SetSampleValues(SampleValues values, int records) {
    sampleValues_ = std::move(values);
    sampleRecords_ = records;
    FillDataTree();
}

bool DesignerWindow::Preview() {
    TextLayoutMeasurer measurer(kit_.measuring);
    auto build = std::make_unique<PreviewBuild>(document_, core_, measurer, &kit_.widthMeasure,
                                                sampleValues_, sampleRecords_);
    if (!build->Succeeded()) {
        if (!build->ErrorText().empty())
            Dialogs().ShowMessage(build->ErrorText(), EngineText(text_id::kErrorCaption),
                                  mb::kOk | mb::kIconError);
        // The object the message names is selected, on its page.
        const std::string& name = build->ErrorObject();
        const Report& report = document_.GetReport();
        for (size_t p = 0; !name.empty() && p < report.pages.Count(); ++p) {
            const Page& page = report.pages[p];
            for (size_t i = 0; i < page.ObjectCount(); ++i) {
                if (!SameText(page.ObjectAt(i).name, name)) continue;
                document_.ShowPage(p);
                document_.Select({i});
                document_.Commit();
                DocumentChanged();
                const QPoint at = pageView_->ToWidget(page.ObjectAt(i).left, page.ObjectAt(i).top);
                scroll_->ensureVisible(at.x(), at.y(), 100, 100);
                pageView_->setFocus();
                return false;
            }
        }
        return false;
    }
    std::unique_ptr<PreparedPages> pages = build->TakePages();
    if (pages->PageCount() == 0) {
        Dialogs().ShowMessage(FromQString(QStringLiteral("L'état ne contient aucune page.")),
                              FromQString(QStringLiteral("Aperçu")),
                              mb::kOk | mb::kIconInformation);
        return false;
    }
    Report& built = build->BuiltReport();
    ReportPreview printing(built, core_, this);
    PreviewWindow window(this);
    window.onPrint = [&printing, &window](PreparedPages&) { printing.Print(window); };
    if (onPreviewShown) QTimer::singleShot(0, &window, [this, &window] { onPreviewShown(window); });
    built.modalPreview = true;
    window.ShowPages(built, std::move(pages), printing.PrinterAvailable());
    pageView_->setFocus();
    return true;
}

bool DesignerWindow::MaySetDocumentAside() {
    if (!document_.Modified()) return true;
    const QString name = document_.Path().empty()
                             ? QStringLiteral("Sans nom")
                             : QFileInfo(QFile::decodeName(document_.Path().c_str())).fileName();
    const int answer = Dialogs().ShowMessage(
        FromQString(QStringLiteral("Enregistrer les modifications de « %1 » ?").arg(name)),
        FromQString(QStringLiteral("Concepteur d'états")), mb::kYesNoCancel | mb::kIconQuestion);
    if (answer == mr::kYes) return SaveAsked();
    return answer == mr::kNo;
}

void DesignerWindow::closeEvent(QCloseEvent* event) {
    if (MaySetDocumentAside())
        event->accept();
    else
        event->ignore();
}

void DesignerWindow::NewDocument() {
    if (!MaySetDocumentAside()) return;
    document_.New();
    DocumentChanged();
}

void DesignerWindow::OpenAsked() {
    if (!MaySetDocumentAside()) return;
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Ouvrir un état"), QString(),
                                     QStringLiteral("États (*.etf *.json);;Tous les fichiers (*)"));
    if (!path.isEmpty()) OpenFile(path);
}

bool DesignerWindow::SaveAsked() {
    if (document_.Path().empty()) return SaveAsAsked();
    return SaveFile(QFile::decodeName(document_.Path().c_str()));
}

bool DesignerWindow::SaveAsAsked() {
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Enregistrer l'état"), QFile::decodeName(document_.Path().c_str()),
        QStringLiteral("États (*.etf);;Forme JSON (*.json)"));
    return !path.isEmpty() && SaveFile(path);
}

void DesignerWindow::ChooseSampleValues() {
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Valeurs d'essai"), QString(),
        QStringLiteral(
            "Valeurs séparées par des points-virgules (*.csv *.txt);;Tous les fichiers (*)"));
    if (path.isEmpty()) return;
    try {
        SetSampleValues(ReadSampleValues(NativePath(path)), -1);
    } catch (const std::exception& error) {
        ShowError(QStringLiteral("Valeurs d'essai"), error);
    }
}

void DesignerWindow::ChooseRecordCount() {
    bool ok = false;
    const int count =
        QInputDialog::getInt(this, QStringLiteral("Enregistrements d'essai"),
                             QStringLiteral("Nombre d'enregistrements :"),
                             sampleRecords_ < 0 ? 1 : sampleRecords_, 0, 100000, 1, &ok);
    if (ok) sampleRecords_ = count;
}

void DesignerWindow::EditSelected() {
    const std::vector<View*> selected = document_.SelectedViews();
    if (selected.empty()) return;
    View& view = *selected.front();
    if (auto* band = dynamic_cast<BandView*>(&view)) {
        EditBand(*band);
        return;
    }
    if (view.FindProperty("Memo")) EditText(view);
}

void DesignerWindow::EditBand(BandView& band) {
    DesignerBandEditor editor(document_, band, DataSourceNames(), this);
    if (onBandEditorShown)
        QTimer::singleShot(0, &editor, [this, &editor] { onBandEditorShown(editor); });
    // The editor applies and commits itself; a cancel leaves the band untouched.
    if (editor.exec() == QDialog::Accepted && editor.Changed()) DocumentChanged();
}

void DesignerWindow::EditDisplayFormat() {
    const std::optional<DisplayFormat> current = SelectedDisplayFormat(document_);
    if (!current) {
        statusBar()->showMessage(QStringLiteral("Sélectionnez un objet texte"));
        return;
    }
    DesignerFormatEditor editor(*current, this);
    if (onFormatEditorShown)
        QTimer::singleShot(0, &editor, [this, &editor] { onFormatEditorShown(editor); });
    if (editor.exec() != QDialog::Accepted) return;
    if (ApplyDisplayFormat(document_, editor.Format())) DocumentChanged();
}

void DesignerWindow::EditHighlight() {
    const std::optional<MemoView::Highlight> current = SelectedHighlight(document_);
    if (!current) {
        statusBar()->showMessage(QStringLiteral("Sélectionnez un objet texte"));
        return;
    }
    DesignerHighlightEditor editor(document_, *current, this);
    if (onHighlightEditorShown)
        QTimer::singleShot(0, &editor, [this, &editor] { onHighlightEditorShown(editor); });
    if (editor.exec() == QDialog::Accepted && editor.Changed()) DocumentChanged();
}

void DesignerWindow::EditFrame() {
    const std::optional<FrameAndFill> current = SelectedFrameAndFill(document_);
    if (!current) {
        statusBar()->showMessage(QStringLiteral("Sélectionnez un objet qui n'est pas une bande"));
        return;
    }
    DesignerFrameEditor editor(document_, *current, this);
    if (onFrameEditorShown)
        QTimer::singleShot(0, &editor, [this, &editor] { onFrameEditorShown(editor); });
    if (editor.exec() == QDialog::Accepted && editor.Changed()) DocumentChanged();
}

void DesignerWindow::EditFont() {
    const std::optional<Font> current = SelectedFont(document_);
    if (!current) {
        statusBar()->showMessage(QStringLiteral("Sélectionnez un objet texte"));
        return;
    }
    DesignerFontEditor editor(document_, *current, this);
    if (onFontEditorShown)
        QTimer::singleShot(0, &editor, [this, &editor] { onFontEditorShown(editor); });
    if (editor.exec() == QDialog::Accepted && editor.Changed()) DocumentChanged();
}

std::vector<std::string> DesignerWindow::DataSourceNames() const {
    const Report& report = document_.GetReport();
    std::vector<std::string> names{"userDataset1"};
    for (const std::string& source : report.dictionary.DataSourceList(report.State().components))
        if (source != "userDataset1") names.push_back(source);
    return names;
}

void DesignerWindow::EditText(View& view) {
    DesignerMemoEditor editor(
        ToQString(view.name), view.memo, view.script,
        BuildExpressionCatalog(document_.GetReport(), document_.GetReport().State().components,
                               core_.Functions()),
        this);
    if (editor.exec() != QDialog::Accepted) return;
    const auto joined = [](const std::vector<std::string>& lines) {
        std::string text;
        for (size_t i = 0; i < lines.size(); ++i)
            text += (i > 0 ? "\r\n" : "") + lines[i];
        return text;
    };
    try {
        // Both in one step: the text and its script belong together.
        bool changed = SetSharedProperty({&view}, "Memo", joined(editor.MemoLines()), UnitScale{});
        if (view.FindProperty("Script"))
            changed |=
                SetSharedProperty({&view}, "Script", joined(editor.ScriptLines()), UnitScale{});
        if (changed) {
            document_.Commit();
            DocumentChanged();
        }
    } catch (const std::exception& error) {
        document_.Revert();
        ShowError(QStringLiteral("Modifier"), error);
    }
}

void DesignerWindow::Copy() {
    if (document_.Selection().empty()) return;
    QApplication::clipboard()->setText(QString::fromStdString(SelectionToJson(document_)));
}

void DesignerWindow::Cut() {
    Copy();
    Apply([this] { return DeleteSelection(document_) > 0; });
}

void DesignerWindow::Paste() {
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty()) return;
    try {
        if (PasteJson(document_, text.toStdString(), kGrid) > 0) {
            document_.Commit();
            DocumentChanged();
        }
    } catch (const std::exception& error) {
        document_.Revert();
        ShowError(QStringLiteral("Coller"), error);
    }
}

}  // namespace report
