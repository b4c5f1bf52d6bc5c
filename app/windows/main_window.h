// The main window: the menu and the three-column draw grid SG_tombage, with the program's
// start-up steps and the handlers of every menu command. The rules live in app/logic.
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
#include "app/logic/draw_command_gate.h"
#include "app/logic/draw_procedure.h"
#include "app/logic/ini_file.h"
#include "app/logic/main_window_size.h"
#include "app/logic/pacer.h"
#include "app/logic/program_dialogs.h"
#include "app/logic/random_generator.h"
#include "app/logic/settings.h"
#include "app/logic/team_import.h"
#include "app/windows/about_window.h"
#include "app/windows/shell.h"
#include "app/windows/table_grid.h"
#include "report/core/data/component.h"
#include "report/core/data/dataset.h"
#include "report/core/model/report.h"

namespace report {
class Engine;
class PreviewWindow;
}  // namespace report

namespace app {

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
    // The report engine that prints the draw. Null: "Impression" does nothing.
    report::Engine* engine = nullptr;
};

class MainWindow final : public QMainWindow {
    Q_OBJECT
  public:
    // Runs the creation steps: caption, program folder, settings, update check, grid headers,
    // results file, team list, random seed. An error of one step is shown in the standard error
    // box and the later steps still run. The window is 500 x 500 from the outer edge of its
    // frame once the window system has given it one.
    explicit MainWindow(const MainWindowServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The about window that "A propos" shows (created hidden by the program entry).
    void SetAboutWindow(AboutWindow* about) { aboutWindow_ = about; }

    // Menu commands. While a draw runs, the import, draw and print commands are ignored and
    // quitting waits for the draw's end (DrawCommandGate).
    void LoadTeams();  // "Chargement"
    void DrawMatches(DrawMode mode);
    void PrintDraw();          // "Impression"
    void OpenLoadingHelp();    // "Aide"
    void ShowAboutWindow();    // "A propos"
    void OpenGeneralHelp();    // "Aide générale"
    void SwitchUpdateCheck();  // "Ne pas vérifier la mise à jour"
    void Quit();               // "Quitter"

    bool IsDrawRunning() const { return drawGate_.IsDrawRunning(); }
    const TeamNames& TeamList() const { return teamList_; }
    RandomGenerator& Random() { return random_; }
    report::DateTime NoCheckDate() const { return updateSwitch_.noCheckDate; }

    QTableWidget* Grid() const { return sgTombage_; }
    DrawGrid& GridModel() { return grid_; }
    QAction* LoadAction() const { return loadAction_; }
    QAction* DrawMenuAction() const { return drawMenu_->menuAction(); }
    QAction* RepechageAction() const { return withRepechageAction_; }
    QAction* PlainAction() const { return withoutRepechageAction_; }
    QAction* PrintAction() const { return printAction_; }
    QAction* LoadingHelpAction() const { return loadingHelpAction_; }
    QAction* AboutAction() const { return aboutAction_; }
    QAction* GeneralHelpAction() const { return generalHelpAction_; }
    QAction* NoUpdateCheckAction() const { return noUpdateCheckAction_; }
    QAction* QuitAction() const { return quitAction_; }
    report::Report* Report1() const { return report1_.get(); }

    // Called once the preview of "Impression" is on screen (tests close it from here).
    std::function<void(report::PreviewWindow& preview)> onPreviewShown;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenu();
    void BuildGrid();
    void RunCreationSteps();
    // The column rule, from the window's outer width.
    void ApplyColumnRule();
    // Once the window system has framed the window: inner size so that the outer one is 500.
    void FitOuterSize();
    // The update check of the start-up with the site of UpdateSiteOverride().
    void RunUpdateCheck();
    // A change of the update-check switch through the settings file; the menu's check mark shows
    // the switch afterwards, also when the file refused a write.
    void ChangeUpdateSwitch(void (*change)(IniFile&, report::DateTime, UpdateCheckSwitch&));
    // Runs one step or handler; an error escaping it is shown in the standard error box.
    void Guarded(const std::function<void()>& step);
    void OpenHelpDocument(std::string_view fileName);

    MainWindowServices services_;
    QTableWidget* sgTombage_ = nullptr;
    TableGrid grid_;
    QMenu* drawMenu_ = nullptr;
    QAction* loadAction_ = nullptr;
    QAction* withRepechageAction_ = nullptr;
    QAction* withoutRepechageAction_ = nullptr;
    QAction* loadingHelpAction_ = nullptr;
    QAction* printAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
    QAction* generalHelpAction_ = nullptr;
    QAction* noUpdateCheckAction_ = nullptr;
    QAction* quitAction_ = nullptr;
    QPointer<AboutWindow> aboutWindow_;

    TeamNames teamList_;
    UpdateCheckSwitch updateSwitch_;
    RandomGenerator random_;
    DrawCommandGate drawGate_;
    // The print of the draw: the form holds the data source that the template's band names.
    report::ComponentOwner form_;
    report::UserDataset userDataset1_{"userDataset1"};
    std::unique_ptr<report::Report> report1_;
    bool outerSizeFitted_ = false;
};

}  // namespace app
