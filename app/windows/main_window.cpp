#include "app/windows/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QScopeGuard>
#include <QScreen>
#include <QStyle>
#include <QUrl>

#include "app/logic/app_texts.h"
#include "app/logic/file_locations.h"
#include "app/logic/globals.h"
#include "app/logic/ini_file.h"
#include "app/logic/print_draw.h"
#include "app/logic/results_file.h"
#include "app/windows/emblem.h"
#include "app/windows/fonts.h"
#include "app/windows/grid_cell_delegate.h"
#include "app/windows/widget_text.h"
#include "report/core/engine/engine.h"
#include "report/core/file/template_file.h"
#include "report/ui/report_preview.h"

namespace app {
namespace {

constexpr int kLayoutRowCount = 50;

}  // namespace

MainWindow::MainWindow(const MainWindowServices& services, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      sgTombage_(new QTableWidget(this)),
      grid_(*sgTombage_) {
    setObjectName(QStringLiteral("mainWindow"));
    setFont(WindowFont());
    setWindowIcon(QPixmap::fromImage(DrawEmblem()));
    BuildMenu();
    BuildGrid();
    if (services_.engine != nullptr) {
        // The report and its data source as created with the window; the report starts empty.
        userDataset1_.rangeEnd = report::RangeEnd::reCount;
        form_.Add(userDataset1_);
        report1_ = std::make_unique<report::Report>(services_.engine->Model(), "report1");
        report1_->SetOwnerForm(&form_);
        report1_->dataset = &userDataset1_;
        report1_->initialZoom = report::PreviewZoom::pzDefault;
        namespace pb = report::preview_button;
        report1_->previewButtons = pb::pbZoom | pb::pbLoad | pb::pbSave | pb::pbPrint | pb::pbFind |
                                   pb::pbHelp | pb::pbExit;
    }
    // Until the window system frames the window, the inner size is the outer one.
    const WindowSize inner = InnerSizeForOuterSize(FrameMargins());
    resize(inner.width, inner.height);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
    RunCreationSteps();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mainMenu"));
    // A command of a menu or of the bar itself, calling its handler.
    const auto addCommand = [this](auto* menu, std::string_view text,
                                   void (MainWindow::*command)()) {
        QAction* action = menu->addAction(QText(text));
        connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
        return action;
    };

    QMenu* newDraw = bar->addMenu(QText(texts::kMenuNewDraw));
    loadAction_ = addCommand(newDraw, texts::kMenuLoad, &MainWindow::LoadTeams);
    drawMenu_ = newDraw->addMenu(QText(texts::kMenuDraw));
    drawMenu_->menuAction()->setEnabled(false);
    withRepechageAction_ = drawMenu_->addAction(QText(texts::kMenuDrawRepechage));
    connect(withRepechageAction_, &QAction::triggered, this,
            [this] { DrawMatches(DrawMode::dmRepechage); });
    withoutRepechageAction_ = drawMenu_->addAction(QText(texts::kMenuDrawPlain));
    connect(withoutRepechageAction_, &QAction::triggered, this,
            [this] { DrawMatches(DrawMode::dmPlain); });
    newDraw->addSeparator();
    loadingHelpAction_ = addCommand(newDraw, texts::kMenuHelp, &MainWindow::OpenLoadingHelp);

    printAction_ = addCommand(bar, texts::kMenuPrint, &MainWindow::PrintDraw);

    QMenu* helps = bar->addMenu(QText(texts::kMenuHelps));
    aboutAction_ = addCommand(helps, texts::kMenuAbout, &MainWindow::ShowAboutWindow);
    generalHelpAction_ = addCommand(helps, texts::kMenuGeneralHelp, &MainWindow::OpenGeneralHelp);
    // The handler decides the mark: it changes only once the settings file has taken it.
    noUpdateCheckAction_ =
        addCommand(helps, texts::kMenuNoUpdateCheck, &MainWindow::SwitchUpdateCheck);
    noUpdateCheckAction_->setCheckable(true);

    quitAction_ = addCommand(bar, texts::kMenuQuit, &MainWindow::Quit);
}

void MainWindow::BuildGrid() {
    sgTombage_->setObjectName(QStringLiteral("SG_tombage"));
    sgTombage_->setAccessibleName(QText(texts::kMenuDraw));
    sgTombage_->setFont(GridFont());
    sgTombage_->setColumnCount(kGridColumnCount);
    sgTombage_->setRowCount(kLayoutRowCount - 1);
    for (int column = 0; column < kGridColumnCount; ++column)
        grid_.SetCell(column, 0, {});
    sgTombage_->verticalHeader()->hide();
    sgTombage_->horizontalHeader()->setHighlightSections(false);
    sgTombage_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    sgTombage_->horizontalHeader()->setStretchLastSection(false);
    sgTombage_->horizontalHeader()->setMinimumSectionSize(1);
    sgTombage_->verticalHeader()->setMinimumSectionSize(1);
    sgTombage_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    sgTombage_->setItemDelegate(new GridCellDelegate(sgTombage_));  // owned by the table
    sgTombage_->setShowGrid(true);
    sgTombage_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgTombage_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sgTombage_->setSelectionBehavior(QAbstractItemView::SelectItems);
    sgTombage_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    sgTombage_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setCentralWidget(sgTombage_);
}

void MainWindow::Guarded(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        ShowErrorBox(*services_.dialogs, error);
    }
}

void MainWindow::RunCreationSteps() {
    setWindowTitle(QText(texts::kMainCaption) + QText(ProgramVersion));
    const std::string programFolder = services_.programFolder.empty()
                                          ? QCoreApplication::applicationDirPath().toStdString()
                                          : services_.programFolder;
    const SystemFolderProbe probe;
    SetFileLocations(ChooseFileLocations(LocationInputsFromEnvironment(programFolder), probe));
    PrepareUserFolder(Locations());
    ChangeUpdateSwitch(&ApplySettingsAtStartup);  // and the 30-day expiry of the switch
    if (!noUpdateCheckAction_->isChecked()) Guarded([this] { RunUpdateCheck(); });
    grid_.SetCell(kReceivingColumn, 0, AppText(texts::kReceivingHeader));
    grid_.SetCell(kVisitingColumn, 0, AppText(texts::kVisitingHeader));
    Guarded([this] { LoadResults(grid_, ResultsFilePath()); });  // the last draw
    teamList_.clear();
    random_.SetSeed(RandomGenerator::SeedFromTimeOfDay(services_.clock->UtcMillisecondsOfDay()));
}

void MainWindow::ChangeUpdateSwitch(void (*change)(IniFile&, report::DateTime,
                                                   UpdateCheckSwitch&)) {
    Guarded([this, change] {
        const auto showMark =
            qScopeGuard([this] { noUpdateCheckAction_->setChecked(updateSwitch_.checked); });
        IniFile ini(SettingsFilePath());
        change(ini, services_.clock->Today(), updateSwitch_);
    });
}

void MainWindow::RunUpdateCheck() {
    if (!services_.updateCheck) return;
    const IniFile ini(SettingsFilePath());
    services_.updateCheck(UpdateSiteOverride(ini));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FitOuterSize();
    ApplyColumnRule();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    FitOuterSize();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // An X11 window manager reports its frame with a move once it has framed the window.
    FitOuterSize();
}

void MainWindow::FitOuterSize() {
    if (outerSizeFitted_ || !isVisible()) return;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    if (outer == inner) return;  // not framed (yet): the inner size is the outer one
    outerSizeFitted_ = true;
    const WindowSize size =
        InnerSizeForOuterSize({inner.left() - outer.left(), inner.top() - outer.top(),
                               outer.right() - inner.right(), outer.bottom() - inner.bottom()});
    if (size.width != width() || size.height != height()) resize(size.width, size.height);
}

void MainWindow::ApplyColumnRule() {
    QHeaderView* columns = sgTombage_->horizontalHeader();
    const int width = std::max(1, DefaultColumnWidth(frameGeometry().width()));
    columns->setDefaultSectionSize(width);
    for (int column = 0; column < kGridColumnCount; ++column)
        columns->resizeSection(column, width);
    columns->resizeSection(kLabelColumn, kLabelColumnWidth);
    sgTombage_->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    columns->setFixedHeight(kGridRowHeight);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A draw ends first and writes its results file; the window closes then.
    if (!drawGate_.RequestQuit()) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::LoadTeams() {
    if (!drawGate_.AcceptsCommands()) return;
    Guarded([this] {
        const std::optional<std::string> path = services_.dialogs->ChooseTeamFile(SharedFolder());
        if (!path) return;
        ImportTeamFile(*path, teamList_);
        const bool loaded = !teamList_.empty();
        drawMenu_->menuAction()->setEnabled(loaded);
        if (loaded) {
            services_.dialogs->ShowMessage(AppText(texts::kImportConfirmation), std::string(),
                                           report::mb::kOkCancel);
        }
    });
}

void MainWindow::DrawMatches(DrawMode mode) {
    if (teamList_.empty()) return;  // possible only after a failed save: nothing to pick
    drawGate_.RunDraw([this, mode] {
        Guarded([this, mode] {
            app::DrawMatches(mode, teamList_, grid_, random_, *services_.pacer, ResultsFilePath());
            drawMenu_->menuAction()->setEnabled(false);
        });
    });
    if (drawGate_.TakeDeferredQuit()) close();
}

void MainWindow::PrintDraw() {
    if (!drawGate_.AcceptsCommands() || report1_ == nullptr) return;
    Guarded([this] {
        const app::PrintDraw print(grid_, ResultsFilePath());
        userDataset1_.rangeEndCount = print.RecordCount();
        // A missing template keeps what the report held, without a word.
        report::LoadTemplateFile(*report1_, TemplateFilePath(Locations(), SystemFolderProbe()));
        report1_->onGetValue = [this, &print](const std::string& name, report::Variant& value) {
            print.Report1GetValue(userDataset1_.RecordNo(), name, value);
        };
        const auto detach = qScopeGuard([this] { report1_->onGetValue = nullptr; });
        report::ReportPreview preview(*report1_, services_.engine->Core(), this);
        preview.onShown = onPreviewShown;
        preview.PreviewReport();
    });
}

void MainWindow::OpenHelpDocument(std::string_view fileName) {
    // A missing document or reader gives no message.
    services_.shell->OpenUrl(
        QUrl::fromLocalFile(QString::fromStdString(SharedFolder()) + QText(fileName)));
}

void MainWindow::OpenLoadingHelp() {
    OpenHelpDocument(texts::kLoadingHelpFile);
}

void MainWindow::OpenGeneralHelp() {
    OpenHelpDocument(texts::kGeneralHelpFile);
}

void MainWindow::ShowAboutWindow() {
    if (!aboutWindow_) return;
    aboutWindow_->show();
    aboutWindow_->raise();
    aboutWindow_->activateWindow();
}

void MainWindow::SwitchUpdateCheck() {
    ChangeUpdateSwitch(&ToggleUpdateCheck);
}

void MainWindow::Quit() {
    close();
}

}  // namespace app
