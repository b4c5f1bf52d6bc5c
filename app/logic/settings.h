// The settings file "Tombage.ini": the switch that turns the start-up update check off, its
// 30-day expiry, and the optional address of the update site.
//
//   [MiseAjour]
//   Date=15/03/2022     day on which the check was switched off (short date)
//   NoValide=1          1: the check is switched off
//   Site=http://...     optional: another update site (empty: the built-in one)
#pragma once

#include <string>

#include "app/logic/ini_file.h"
#include "report/core/value/date_time.h"

namespace app {

inline constexpr const char* kSettingsFileName = "Tombage.ini";
inline constexpr const char* kUpdateSection = "MiseAjour";
inline constexpr const char* kNoCheckKey = "NoValide";
inline constexpr const char* kNoCheckDateKey = "Date";
inline constexpr const char* kSiteKey = "Site";

// Days after which a switched-off check comes back on by itself.
inline constexpr int kNoCheckExpiryDays = 30;

// UserFolder() + "Tombage.ini".
std::string SettingsFilePath();

// The state of the menu item "Ne pas vérifier la mise à jour" and the date read with it.
struct UpdateCheckSwitch {
    bool checked = false;              // the check mark: no update check at start-up
    report::DateTime noCheckDate = 0;  // NoCheckDate
};

// Start-up rule: reads "NoValide" and "Date"; when the mark is set and more than 30 days have
// passed since the date, removes the mark and writes "NoValide" = "0". `state` is updated
// before the write, so it holds the right mark even when the write raises IniWriteError.
void ApplySettingsAtStartup(IniFile& ini, report::DateTime today, UpdateCheckSwitch& state);

// Menu toggle: unchecking removes the mark; checking writes "Date" = today and then sets it;
// then "NoValide" is written. A failed "Date" write leaves the mark unchanged; a failed
// "NoValide" write leaves it in its new state. Both raise IniWriteError.
void ToggleUpdateCheck(IniFile& ini, report::DateTime today, UpdateCheckSwitch& state);

// The update site from the optional key "Site" (empty: the built-in site).
std::string UpdateSiteOverride(const IniFile& ini);

}  // namespace app
