// The main window: the menu and the three-column draw grid SG_tombage, with the program's
// start-up steps and the handlers of every menu command.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QTableWidget>
#include <exception>
#include <functional>
#include <memory>
#include <string>

#include "app/logic/clock.h"
#include "app/logic/draw_procedure.h"
#include "app/logic/pacer.h"
#include "app/logic/program_dialogs.h"
#include "app/logic/random_generator.h"
#include "app/logic/settings.h"
#include "app/logic/team_import.h"
#include "app/windows/about_window.h"
#include "app/windows/shell.h"
#include "app/windows/table_grid.h"

namespace app {

// Default column width of the grid for a window width: (width - 80) div 2. Column 2 is 40 pixels
// and every row 30 pixels.
int DefaultColumnWidth(int windowWidth);
inline constexpr int kLabelColumnWidth = 40;
inline constexpr int kGridRowHeight = 30;

// What the window works with; every service must outlive the window.
struct MainWindowServices {
    ProgramDialogs* dialogs = nullptr;
    Shell* shell = nullptr;
    Pacer* pacer = nullptr;
    const Clock* clock = nullptr;
    // Empty: the folder of the executable.
    std::string programFolder;
    // The update check of the start-up, given the site of the settings file (empty: the built-in
    // site). Unset: no check at all (tests never reach the network).
    std::function<void(const std::string& site)> updateCheck;
};

class MainWindow final : public QMainWindow {
    Q_OBJECT
  public:
    // Runs the creation steps (FormCreate): caption, program folder, settings, update check,
    // grid headers, results file, team list, random seed. An error of one step is shown in the
    // standard error box and the later steps still run.
    explicit MainWindow(const MainWindowServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The about window that "A propos" shows (created hidden by the program entry).
    void SetAboutWindow(AboutWindow* about) { apropos_ = about; }

    // Menu commands. While a draw runs, the import, draw and print commands are ignored and
    // quitting waits for the draw's end.
    void Chargement1Click();
    void DrawMatches(DrawMode mode);
    void PrintDraw();
    void Aide1Click();
    void Apropos1Click();
    void Aidegnrale1Click();
    void Nepasvrifierlamisejour1Click();
    void Quitter1Click();

    bool IsDrawRunning() const { return drawRunning_; }
    const TeamNames& TeamList() const { return teamList_; }
    RandomGenerator& Random() { return random_; }
    report::DateTime NoCheckDate() const { return updateSwitch_.noCheckDate; }

    QTableWidget* Grid() const { return sgTombage_; }
    DrawGrid& GridModel() { return grid_; }
    QAction* ChargementAction() const { return chargement1_; }
    QAction* DrawMenuAction() const { return drawMenu_->menuAction(); }
    QAction* RepechageAction() const { return withRepechage_; }
    QAction* PlainAction() const { return withoutRepechage_; }
    QAction* PrintAction() const { return impression_; }
    QAction* AideAction() const { return aide1_; }
    QAction* AboutAction() const { return apropos1_; }
    QAction* GeneralHelpAction() const { return aideGenerale1_; }
    QAction* NoUpdateCheckAction() const { return noUpdateCheck_; }
    QAction* QuitAction() const { return quitter_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenu();
    void BuildGrid();
    void FormCreate();
    void FormResize();
    // The update check of the start-up; the place where the check of update_check.h runs with
    // the site of UpdateSiteOverride() and shows its information box.
    void RunUpdateCheck();
    // Runs one step or handler; an error escaping it is shown in the standard error box.
    void Guarded(const std::function<void()>& step);
    void ShowError(const std::exception& error);
    void OpenHelpDocument(std::string_view fileName);

    MainWindowServices services_;
    QTableWidget* sgTombage_ = nullptr;
    TableGrid grid_;
    QMenu* drawMenu_ = nullptr;
    QAction* chargement1_ = nullptr;
    QAction* withRepechage_ = nullptr;
    QAction* withoutRepechage_ = nullptr;
    QAction* aide1_ = nullptr;
    QAction* impression_ = nullptr;
    QAction* apropos1_ = nullptr;
    QAction* aideGenerale1_ = nullptr;
    QAction* noUpdateCheck_ = nullptr;
    QAction* quitter_ = nullptr;
    QPointer<AboutWindow> apropos_;

    TeamNames teamList_;
    UpdateCheckSwitch updateSwitch_;
    RandomGenerator random_;
    bool drawRunning_ = false;
    bool quitRequested_ = false;
};

}  // namespace app
