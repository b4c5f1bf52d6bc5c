// The settings file: the INI reader/writer and the update check switch with its expiry.
#include "app/logic/settings.h"

#include <gtest/gtest.h>

#include "app/logic/globals.h"
#include "app/logic/ini_file.h"
#include "report/core/value/date_time.h"
#include "tests/app/logic/test_support.h"

namespace {

using app_test::ReadFile;
using app_test::TemporaryFolder;
using app_test::WriteFile;

class IniFileTest : public ::testing::Test {
  protected:
    TemporaryFolder folder;
    std::string path = folder.File("Tombage.ini");
    app::IniFile ini{path};
};

TEST_F(IniFileTest, MissingFileReadsAsEmptyAndFirstWriteCreatesIt) {
    EXPECT_EQ(ini.ReadString("MiseAjour", "Site", "def"), "def");
    EXPECT_FALSE(ini.ReadBool("MiseAjour", "NoValide", false));
    EXPECT_EQ(ini.ReadDate("MiseAjour", "Date", 0), 0);
    ini.WriteDate("MiseAjour", "Date", report::EncodeDate(2022, 3, 15));
    ini.WriteBool("MiseAjour", "NoValide", true);
    EXPECT_EQ(ReadFile(path), "[MiseAjour]\r\nDate=15/03/2022\r\nNoValide=1\r\n");
}

TEST_F(IniFileTest, LookupIgnoresCaseAndBlanks) {
    WriteFile(
        path,
        "; settings\n[Autre]\nNoValide=7\n  [ miseajour ]  \n  novalide =  1  \nDate=01/02/2022\n"
        "Site=\"http://127.0.0.1:8080\"\nNoValide=0\n[Fin]\nx=y\n");
    EXPECT_EQ(ini.ReadInteger("MISEAJOUR", "NOVALIDE", -1), 1);  // the first key counts
    EXPECT_EQ(ini.ReadString("MiseAjour", "site", ""), "http://127.0.0.1:8080");
    EXPECT_EQ(ini.ReadDate("MiseAjour", "Date", 0), report::EncodeDate(2022, 2, 1));
    EXPECT_EQ(ini.ReadString("MiseAjour", "x", "none"), "none");
    EXPECT_EQ(ini.ReadString("Fin", "X", "none"), "y");
}

TEST_F(IniFileTest, IntegerAndDateValues) {
    struct Case {
        std::string value;
        int integer;
        bool boolean;
    };
    const Case cases[] = {{"1", 1, true},      {"0", 0, false},
                          {"-3", -3, true},    {"0x10", 16, true},
                          {"0X0", 0, false},   {"abc", 99, true},
                          {"12abc", 99, true}, {"", 99, true},
                          {"0x", 99, true},    {"99999999999", 99, true},
                          {"+5", 5, true},     {"0xFFFFFFFF", -1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        WriteFile(path, "[MiseAjour]\r\nNoValide=" + c.value + "\r\n");
        EXPECT_EQ(ini.ReadInteger("MiseAjour", "NoValide", 99), c.integer);
        // Not an integer reads as the default, false.
        EXPECT_EQ(ini.ReadBool("MiseAjour", "NoValide", false),
                  c.integer == 99 ? false : c.boolean);
    }
    for (const std::string bad : {"32/01/2022", "hier", "2022-03-15", ""}) {
        SCOPED_TRACE(bad);
        WriteFile(path, "[MiseAjour]\r\nDate=" + bad + "\r\n");
        EXPECT_EQ(ini.ReadDate("MiseAjour", "Date", 0), 0);
    }
}

TEST_F(IniFileTest, WritesKeepUnknownLinesAndPlaceNewKeys) {
    WriteFile(path,
              "; comment\n[Autre]\nA=1\n\n[miseajour]\nnovalide=1\nInconnu=?\n\n[Fin]\nB=2\n");
    ini.WriteString("MiseAjour", "NoValide", "0");
    ini.WriteString("MiseAjour", "Date", "15/03/2022");
    ini.WriteString("Nouvelle", "C", "3");
    EXPECT_EQ(ReadFile(path),
              "; comment\r\n[Autre]\r\nA=1\r\n\r\n[miseajour]\r\nNoValide=0\r\nInconnu=?\r\n"
              "Date=15/03/2022\r\n\r\n[Fin]\r\nB=2\r\n[Nouvelle]\r\nC=3\r\n");
}

TEST_F(IniFileTest, FailedWriteRaisesAndKeepsTheFile) {
    const std::string former = "[MiseAjour]\r\nNoValide=1\r\n" + std::string(200, ';') + "\r\n";
    WriteFile(path, former);
    {
        app_test::FileSizeLimit limit(64);
        try {
            ini.WriteString("MiseAjour", "NoValide", "0");
            FAIL() << "no error";
        } catch (const app::IniWriteError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Impossible d'\xE9"
                      "crire dans " +
                          path);
        }
    }
    EXPECT_EQ(ReadFile(path), former);
    app::IniFile nowhere(folder.File("absent/Tombage.ini"));
    EXPECT_THROW(nowhere.WriteString("MiseAjour", "NoValide", "0"), app::IniWriteError);
}

class SettingsTest : public ::testing::Test {
  protected:
    TemporaryFolder folder;
    std::string path = folder.File("Tombage.ini");
    app::IniFile ini{path};
    report::DateTime today = report::EncodeDate(2022, 4, 14);
};

TEST_F(SettingsTest, StartupExpiry) {
    struct Case {
        std::string file;
        bool checked;
        bool rewritten;
    };
    const Case cases[] = {
        {"", false, false},
        {"[MiseAjour]\r\nNoValide=0\r\nDate=01/01/2000\r\n", false, false},
        {"[MiseAjour]\r\nDate=15/03/2022\r\nNoValide=1\r\n", true, false},    // 30 days
        {"[MiseAjour]\r\nDate=14/03/2022\r\nNoValide=1\r\n", false, true},    // 31 days
        {"[MiseAjour]\r\nNoValide=1\r\n", false, true},                       // no date
        {"[MiseAjour]\r\nDate=n'importe\r\nNoValide=1\r\n", false, true},     // not a date
        {"[MiseAjour]\r\nDate=14/04/2022\r\nNoValide=0x1\r\n", true, false},  // today
        {"[MiseAjour]\r\nDate=20/04/2022\r\nNoValide=1\r\n", true, false},    // in the future
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        if (c.file.empty()) {
            std::remove(path.c_str());
        } else {
            WriteFile(path, c.file);
        }
        app::UpdateCheckSwitch state;
        app::ApplySettingsAtStartup(ini, today, state);
        EXPECT_EQ(state.checked, c.checked);
        if (c.rewritten) {
            EXPECT_EQ(ini.ReadString("MiseAjour", "NoValide", ""), "0");
        } else if (c.file.empty()) {
            EXPECT_FALSE(app_test::FileExists(path));
        } else {
            EXPECT_EQ(ReadFile(path), c.file);
        }
    }
    WriteFile(path, "[MiseAjour]\r\nDate=15/03/2022\r\nNoValide=1\r\n");
    app::UpdateCheckSwitch state;
    app::ApplySettingsAtStartup(ini, today, state);
    EXPECT_EQ(state.noCheckDate, report::EncodeDate(2022, 3, 15));
}

TEST_F(SettingsTest, ExpiryWriteFailureStillClearsTheMark) {
    const std::string unwritable = folder.File("absent/Tombage.ini");
    app::IniFile missing(unwritable);
    app::UpdateCheckSwitch state{true, 0};
    EXPECT_NO_THROW(app::ApplySettingsAtStartup(missing, today, state));  // reads as empty
    EXPECT_FALSE(state.checked);

    WriteFile(path, "[MiseAjour]\r\nNoValide=1\r\n" + std::string(100, ';') + "\r\n");
    app_test::FileSizeLimit limit(40);
    EXPECT_THROW(app::ApplySettingsAtStartup(ini, today, state), app::IniWriteError);
    EXPECT_FALSE(state.checked);
}

TEST_F(SettingsTest, ToggleWritesDateThenSwitch) {
    app::UpdateCheckSwitch state;
    app::ToggleUpdateCheck(ini, today, state);
    EXPECT_TRUE(state.checked);
    EXPECT_EQ(ReadFile(path), "[MiseAjour]\r\nDate=14/04/2022\r\nNoValide=1\r\n");
    app::ToggleUpdateCheck(ini, today + 3, state);
    EXPECT_FALSE(state.checked);
    EXPECT_EQ(ReadFile(path), "[MiseAjour]\r\nDate=14/04/2022\r\nNoValide=0\r\n");
    app::ToggleUpdateCheck(ini, today + 3, state);
    EXPECT_EQ(ReadFile(path), "[MiseAjour]\r\nDate=17/04/2022\r\nNoValide=1\r\n");
}

TEST_F(SettingsTest, ToggleFailures) {
    // Checking: the "Date" write fails first, so the mark stays off.
    app::IniFile nowhere(folder.File("absent/Tombage.ini"));
    app::UpdateCheckSwitch state;
    EXPECT_THROW(app::ToggleUpdateCheck(nowhere, today, state), app::IniWriteError);
    EXPECT_FALSE(state.checked);
    // Unchecking: only "NoValide" is written; its failure leaves the mark in its new state.
    state.checked = true;
    EXPECT_THROW(app::ToggleUpdateCheck(nowhere, today, state), app::IniWriteError);
    EXPECT_FALSE(state.checked);
}

TEST_F(SettingsTest, SiteOverride) {
    EXPECT_EQ(app::UpdateSiteOverride(ini), "");
    WriteFile(path, "[MiseAjour]\r\nsite = http://127.0.0.1:8080/\r\n");
    EXPECT_EQ(app::UpdateSiteOverride(ini), "http://127.0.0.1:8080/");
    app::SetProgramFolder("/opt/tombage");
    EXPECT_EQ(app::SettingsFilePath(), "/opt/tombage/Tombage.ini");
}

}  // namespace
