// The program as the Debian package installs it, run by install_test.sh as an ordinary user with
// a fresh home. TOMBAGE_INSTALLED_ROOT is the folder the package was unpacked into: the windows
// start from its usr/bin, so the shared files, the template and the examples are the package's
// own. TOMBAGE_USER_TEMPLATE names a template that the user puts in the user folder.
// With TOMBAGE_GRAB_DIR set, the desktop's launcher tile is saved there as a picture.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/windows/main_window.h"
#include "report/core/engine/engine.h"
#include "report/core/output/preview_controller.h"
#include "report/ui/preview_window.h"
#include "tests/app/logic/test_support.h"
#include "tests/app/windows/fake_services.h"

namespace {

using app_test::FakeDialogs;
using app_test::FakeShell;
using app_test::FileExists;
using app_test::FixedClock;
using app_test::InstantPacer;
using app_test::ReadFile;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

int FolderMode(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return -1;
    return static_cast<int>(status.st_mode & 07777);
}

class InstalledProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = Environment("TOMBAGE_INSTALLED_ROOT");
        if (root.empty())
            GTEST_SKIP() << "TOMBAGE_INSTALLED_ROOT absent : lancé par install_test.sh";
        home = Environment("HOME");
        ASSERT_FALSE(home.empty());
        shared = root + "/usr/share/tombage/";
    }

    std::unique_ptr<app::MainWindow> Start() {
        app::MainWindowServices services;
        services.dialogs = &dialogs;
        services.shell = &shell;
        services.pacer = &pacer;
        services.clock = &clock;
        services.programFolder = root + "/usr/bin";
        services.engine = &engine;
        return std::make_unique<app::MainWindow>(services);
    }

    // Prints the grid; true when the preview's pages hold `text` (Windows-1252).
    bool PrintShows(app::MainWindow& window, const std::string& text) {
        bool found = false;
        int shown = 0;
        window.onPreviewShown = [&](report::PreviewWindow& preview) {
            ++shown;
            found =
                preview.Controller().StartSearch(text, true, true) == report::SearchOutcome::Found;
            QTimer::singleShot(0, &preview, [&preview] { preview.accept(); });
        };
        window.PrintAction()->trigger();
        EXPECT_EQ(shown, 1);
        return found;
    }

    // Chargement of an example list, then a draw without repechage.
    void LoadExampleAndDraw(app::MainWindow& window) {
        dialogs.choices.push_back(shared + "exemples/equipes_poule_a.csv");
        window.LoadAction()->trigger();
        ASSERT_FALSE(dialogs.chooserFolders.empty());
        EXPECT_EQ(dialogs.chooserFolders.back(), shared);
        ASSERT_TRUE(window.DrawMenuAction()->isEnabled());
        window.PlainAction()->trigger();
        EXPECT_TRUE(window.TeamList().empty());
    }

    std::string root, home, shared;
    report::Engine engine{nullptr};  // the virtual printer
    FakeDialogs dialogs;
    FakeShell shell;
    InstantPacer pacer;
    FixedClock clock;
};

TEST_F(InstalledProgramTest, FirstStartLoadsAnExampleDrawsAndKeepsEverythingInTheUserFolder) {
    const std::string userFolder = home + "/.local/share/tombage/";
    ASSERT_FALSE(FileExists(userFolder)) << "le dossier personnel doit être neuf";

    auto window = Start();
    // The first start names the results file where it will be written.
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Impossible d'ouvrir le fichier " + userFolder + "tombage.DBP");
    EXPECT_EQ(FolderMode(userFolder), 0700);

    LoadExampleAndDraw(*window);
    const std::string results = ReadFile(userFolder + "tombage.DBP");
    EXPECT_NE(results.find("Stade Brestois"), std::string::npos) << results;
    EXPECT_NE(results.find(";001;\r\n"), std::string::npos) << results;
    EXPECT_EQ(window->GridModel().RowCount(), 5);  // header and the 4 matches of 8 teams

    // The installed template prints.
    EXPECT_TRUE(PrintShows(*window, "Tirage au sort des rencontres"));
    // Help documents are the installed ones.
    window->GeneralHelpAction()->trigger();
    ASSERT_EQ(shell.urls.size(), 1u);
    EXPECT_EQ(shell.urls[0].toLocalFile().toStdString(), shared + "Tombage.pdf");
    EXPECT_TRUE(FileExists(shared + "Tombage.pdf"));
    // The settings go to the user folder too.
    window->NoUpdateCheckAction()->trigger();
    EXPECT_TRUE(window->NoUpdateCheckAction()->isChecked());
    EXPECT_NE(ReadFile(userFolder + "Tombage.ini").find("NoValide=1"), std::string::npos);

    // After a restart the draw is back, without a message.
    window.reset();
    dialogs.messages.clear();
    auto restarted = Start();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(restarted->GridModel().RowCount(), 5);
    EXPECT_TRUE(restarted->NoUpdateCheckAction()->isChecked());
}

TEST_F(InstalledProgramTest, TheUsersTemplateOverridesTheInstalledOne) {
    const std::string own = Environment("TOMBAGE_USER_TEMPLATE");
    ASSERT_FALSE(own.empty());
    const std::string userFolder = home + "/.local/share/tombage/";
    auto window = Start();
    ASSERT_EQ(FolderMode(userFolder), 0700);
    ASSERT_TRUE(QFile::copy(QString::fromStdString(own),
                            QString::fromStdString(userFolder + "Tombage.etf")));
    EXPECT_TRUE(PrintShows(*window, "Mod\xE8le de l'arbitre"));
    // Taken away, the installed one prints again.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(userFolder + "Tombage.etf")));
    EXPECT_TRUE(PrintShows(*window, "Tirage au sort des rencontres"));
}

TEST_F(InstalledProgramTest, XdgDataHomeHoldsTheUserFolder) {
    const std::string data = home + "/donnees";
    ASSERT_EQ(::setenv("XDG_DATA_HOME", data.c_str(), 1), 0);
    auto window = Start();
    ::unsetenv("XDG_DATA_HOME");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text,
              "Impossible d'ouvrir le fichier " + data + "/tombage/tombage.DBP");
    LoadExampleAndDraw(*window);
    EXPECT_TRUE(FileExists(data + "/tombage/tombage.DBP"));
}

// The desktop's view: the launcher named by the menu entry, with the icon that the hicolor
// theme finds for it at 48 pixels.
TEST_F(InstalledProgramTest, MenuEntryAndIconAsTheDesktopShowsThem) {
    QFile entryFile(
        QString::fromStdString(root + "/usr/share/applications/fr.tombage.Tombage.desktop"));
    ASSERT_TRUE(entryFile.open(QIODevice::ReadOnly));
    QString name, iconName, exec;
    for (const QByteArray& line : entryFile.readAll().split('\n')) {
        const QString text = QString::fromUtf8(line);
        if (text.startsWith(QLatin1String("Name="))) name = text.mid(5);
        if (text.startsWith(QLatin1String("Icon="))) iconName = text.mid(5);
        if (text.startsWith(QLatin1String("Exec="))) exec = text.mid(5);
    }
    EXPECT_EQ(name, QStringLiteral("Tombage"));
    EXPECT_EQ(exec, QStringLiteral("tombage"));
    EXPECT_TRUE(FileExists(root + "/usr/bin/" + exec.toStdString()));

    // The theme's index comes with the desktop (hicolor-icon-theme), the icons with the package.
    QIcon::setThemeSearchPaths(
        {QString::fromStdString(root + "/usr/share/icons"), QStringLiteral("/usr/share/icons")});
    QIcon::setThemeName(QStringLiteral("hicolor"));
    if (!QFile::exists(QStringLiteral("/usr/share/icons/hicolor/index.theme")))
        GTEST_SKIP() << "hicolor-icon-theme absent : pas de thème d'icônes";
    const QIcon icon = QIcon::fromTheme(iconName);
    ASSERT_FALSE(icon.isNull()) << iconName.toStdString();
    const QImage image = icon.pixmap(48, 48).toImage();
    ASSERT_EQ(image.size(), QSize(48, 48));
    // The yellow draw ball in the middle, the green pitch in a corner.
    const QColor middle = image.pixelColor(30, 30), pitch = image.pixelColor(6, 12);
    EXPECT_GT(middle.red(), 200);
    EXPECT_GT(middle.green(), 200);
    EXPECT_LT(middle.blue(), 80);
    EXPECT_LT(pitch.red(), 60);
    EXPECT_GT(pitch.green(), 100);
    EXPECT_LT(pitch.blue(), 60);

    QWidget tile;
    tile.setWindowTitle(name);
    auto* layout = new QVBoxLayout(&tile);
    auto* picture = new QLabel(&tile);
    picture->setPixmap(icon.pixmap(48, 48));
    picture->setAlignment(Qt::AlignCenter);
    auto* caption = new QLabel(name, &tile);
    caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);
    layout->addWidget(caption);
    tile.resize(120, 100);
    tile.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tile));
    const QString folder = QString::fromLocal8Bit(qgetenv("TOMBAGE_GRAB_DIR"));
    if (folder.isEmpty()) return;
    // Under a real X server the screen itself, as the desktop shows it.
    const QPixmap shot = QGuiApplication::platformName() == QLatin1String("xcb")
                             ? tile.screen()->grabWindow(tile.winId())
                             : tile.grab();
    shot.save(folder + QStringLiteral("/lanceur_48px.png"));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
