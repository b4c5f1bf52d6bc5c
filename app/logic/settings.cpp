#include "app/logic/settings.h"

#include "app/logic/globals.h"
#include "report/core/base/rounding.h"

namespace app {

std::string SettingsFilePath() {
    return UserFolder() + kSettingsFileName;
}

void ApplySettingsAtStartup(IniFile& ini, report::DateTime today, UpdateCheckSwitch& state) {
    state.checked = ini.ReadBool(kUpdateSection, kNoCheckKey, false);
    state.noCheckDate = ini.ReadDate(kUpdateSection, kNoCheckDateKey, 0);
    const int64_t days = report::RoundHalfEven(today - state.noCheckDate);
    if (state.checked && days > kNoCheckExpiryDays) {
        state.checked = false;
        ini.WriteBool(kUpdateSection, kNoCheckKey, false);
    }
}

void ToggleUpdateCheck(IniFile& ini, report::DateTime today, UpdateCheckSwitch& state) {
    if (state.checked) {
        state.checked = false;
    } else {
        ini.WriteDate(kUpdateSection, kNoCheckDateKey, today);
        state.checked = true;
    }
    ini.WriteBool(kUpdateSection, kNoCheckKey, state.checked);
}

std::string UpdateSiteOverride(const IniFile& ini) {
    return ini.ReadString(kUpdateSection, kSiteKey, "");
}

}  // namespace app
