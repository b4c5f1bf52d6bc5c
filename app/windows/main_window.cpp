#include "app/windows/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QUrl>

#include "app/logic/app_texts.h"
#include "app/logic/globals.h"
#include "app/logic/ini_file.h"
#include "app/logic/results_file.h"
#include "app/windows/emblem.h"
#include "app/windows/fonts.h"
#include "app/windows/grid_cell_delegate.h"
#include "app/windows/widget_text.h"

namespace app {
namespace {

constexpr int kInitialSize = 500;
constexpr int kLayoutRowCount = 50;

}  // namespace

int DefaultColumnWidth(int windowWidth) {
    return (windowWidth - 80) / 2;
}

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
    resize(kInitialSize, kInitialSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
    }
    FormCreate();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* newDraw = bar->addMenu(QText(texts::kMenuNewDraw));
    chargement1_ = newDraw->addAction(QText(texts::kMenuLoad));
    connect(chargement1_, &QAction::triggered, this, [this] { Chargement1Click(); });
    drawMenu_ = newDraw->addMenu(QText(texts::kMenuDraw));
    drawMenu_->menuAction()->setEnabled(false);
    withRepechage_ = drawMenu_->addAction(QText(texts::kMenuDrawRepechage));
    connect(withRepechage_, &QAction::triggered, this,
            [this] { DrawMatches(DrawMode::dmRepechage); });
    withoutRepechage_ = drawMenu_->addAction(QText(texts::kMenuDrawPlain));
    connect(withoutRepechage_, &QAction::triggered, this,
            [this] { DrawMatches(DrawMode::dmPlain); });
    newDraw->addSeparator();
    aide1_ = newDraw->addAction(QText(texts::kMenuHelp));
    connect(aide1_, &QAction::triggered, this, [this] { Aide1Click(); });

    impression_ = bar->addAction(QText(texts::kMenuPrint));
    connect(impression_, &QAction::triggered, this, [this] { PrintDraw(); });

    QMenu* helps = bar->addMenu(QText(texts::kMenuHelps));
    apropos1_ = helps->addAction(QText(texts::kMenuAbout));
    connect(apropos1_, &QAction::triggered, this, [this] { Apropos1Click(); });
    aideGenerale1_ = helps->addAction(QText(texts::kMenuGeneralHelp));
    connect(aideGenerale1_, &QAction::triggered, this, [this] { Aidegnrale1Click(); });
    noUpdateCheck_ = helps->addAction(QText(texts::kMenuNoUpdateCheck));
    noUpdateCheck_->setCheckable(true);
    // The handler decides the mark: it changes only once the settings file has taken it.
    connect(noUpdateCheck_, &QAction::triggered, this, [this] { Nepasvrifierlamisejour1Click(); });

    quitter_ = bar->addAction(QText(texts::kMenuQuit));
    connect(quitter_, &QAction::triggered, this, [this] { Quitter1Click(); });
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
        ShowError(error);
    }
}

void MainWindow::ShowError(const std::exception& error) {
    ShowErrorBox(*services_.dialogs, error);
}

void MainWindow::FormCreate() {
    // 1. Caption.
    setWindowTitle(QText(texts::kMainCaption) + QText(ProgramVersion));
    // 2. Program folder.
    SetProgramFolder(services_.programFolder.empty()
                         ? QCoreApplication::applicationDirPath().toStdString()
                         : services_.programFolder);
    // 3. Settings and the 30-day expiry of the switch.
    Guarded([this] {
        IniFile ini(SettingsFilePath());
        try {
            ApplySettingsAtStartup(ini, services_.clock->Today(), updateSwitch_);
        } catch (...) {
            noUpdateCheck_->setChecked(updateSwitch_.checked);
            throw;
        }
        noUpdateCheck_->setChecked(updateSwitch_.checked);
    });
    // 4. Update check, unless switched off.
    if (!noUpdateCheck_->isChecked()) Guarded([this] { RunUpdateCheck(); });
    // 5. Grid headers.
    grid_.SetCell(kReceivingColumn, 0, AppText(texts::kReceivingHeader));
    grid_.SetCell(kVisitingColumn, 0, AppText(texts::kVisitingHeader));
    // 6. The last draw.
    Guarded([this] { LoadResults(grid_, ResultsFilePath()); });
    // 7. The team list, empty.
    teamList_.clear();
    // 8. The random seed.
    random_.SetSeed(RandomGenerator::SeedFromTimeOfDay(services_.clock->UtcMillisecondsOfDay()));
}

void MainWindow::RunUpdateCheck() {
    if (!services_.updateCheck) return;
    const IniFile ini(SettingsFilePath());
    services_.updateCheck(UpdateSiteOverride(ini));
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void MainWindow::FormResize() {
    QHeaderView* columns = sgTombage_->horizontalHeader();
    const int width = std::max(1, DefaultColumnWidth(this->width()));
    columns->setDefaultSectionSize(width);
    for (int column = 0; column < kGridColumnCount; ++column)
        columns->resizeSection(column, width);
    columns->resizeSection(kLabelColumn, kLabelColumnWidth);
    sgTombage_->verticalHeader()->setDefaultSectionSize(kGridRowHeight);
    columns->setFixedHeight(kGridRowHeight);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (drawRunning_) {
        // The draw ends first and writes its results file; the window closes then.
        quitRequested_ = true;
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::Chargement1Click() {
    if (drawRunning_) return;
    Guarded([this] {
        const std::optional<std::string> path = services_.dialogs->ChooseTeamFile(ProgramFolder());
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
    if (drawRunning_) return;
    if (teamList_.empty()) return;  // possible only after a failed save: nothing to pick
    drawRunning_ = true;
    Guarded([this, mode] {
        app::DrawMatches(mode, teamList_, grid_, random_, *services_.pacer, ResultsFilePath());
        drawMenu_->menuAction()->setEnabled(false);
    });
    drawRunning_ = false;
    if (quitRequested_) close();
}

void MainWindow::PrintDraw() {
    if (drawRunning_) return;
    // The print of the draw through the report engine comes here: the template "Tombage.etf"
    // of the program folder, one record per data row of the grid, and the preview.
}

void MainWindow::OpenHelpDocument(std::string_view fileName) {
    // A missing document or reader gives no message.
    services_.shell->OpenUrl(
        QUrl::fromLocalFile(QString::fromStdString(ProgramFolder()) + QText(fileName)));
}

void MainWindow::Aide1Click() {
    OpenHelpDocument(texts::kLoadingHelpFile);
}

void MainWindow::Aidegnrale1Click() {
    OpenHelpDocument(texts::kGeneralHelpFile);
}

void MainWindow::Apropos1Click() {
    if (!apropos_) return;
    apropos_->show();
    apropos_->raise();
    apropos_->activateWindow();
}

void MainWindow::Nepasvrifierlamisejour1Click() {
    Guarded([this] {
        IniFile ini(SettingsFilePath());
        try {
            ToggleUpdateCheck(ini, services_.clock->Today(), updateSwitch_);
        } catch (...) {
            noUpdateCheck_->setChecked(updateSwitch_.checked);
            throw;
        }
        noUpdateCheck_->setChecked(updateSwitch_.checked);
    });
}

void MainWindow::Quitter1Click() {
    close();
}

}  // namespace app
