// Feeds arbitrary content as Tombage.ini to the INI reader and writer. Reading never fails;
// a write sets its key so that it reads back, and keeps every other line as it was: at most
// one line replaced, or the key (and its section) added.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/logic/ini_file.h"
#include "fuzz/scratch_folder.h"
#include "report/core/base/split_lines.h"
#include "report/core/base/whole_file.h"
#include "report/core/value/date_time.h"

namespace {

constexpr const char* kSection = "MiseAjour";
constexpr report::DateTime kSomeDay = 44635;  // 15 March 2022

std::vector<std::string> FileLines(const std::string& path) {
    std::string content;
    return report::SplitLines(report::TryReadWholeFile(path, content) ? content : std::string());
}

// True when `after` is `before` with one line replaced, one line inserted, or two lines (a
// section and its key) appended.
bool OneEditApart(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    std::size_t same = 0;
    while (same < before.size() && same < after.size() && before[same] == after[same])
        ++same;
    if (after.size() == before.size()) {
        return same == before.size() ||
               std::equal(before.begin() + static_cast<std::ptrdiff_t>(same) + 1, before.end(),
                          after.begin() + static_cast<std::ptrdiff_t>(same) + 1);
    }
    if (after.size() == before.size() + 1) {
        return std::equal(before.begin() + static_cast<std::ptrdiff_t>(same), before.end(),
                          after.begin() + static_cast<std::ptrdiff_t>(same) + 1);
    }
    return after.size() == before.size() + 2 && same == before.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzing::ScratchFolder::Instance().Write(
        "Tombage.ini", std::string_view(reinterpret_cast<const char*>(data), size));
    app::IniFile ini(path);
    ini.ReadBool(kSection, "NoValide", false);
    ini.ReadInteger(kSection, "NoValide", 0);
    const std::string date = ini.ReadString(kSection, "Date", "absente");
    ini.ReadDate(kSection, "Date", 0);
    const std::string site = ini.ReadString(kSection, "Site", "absent");

    const std::vector<std::string> before = FileLines(path);
    ini.WriteBool(kSection, "NoValide", true);
    const std::vector<std::string> after = FileLines(path);
    if (!OneEditApart(before, after)) std::abort();
    if (!ini.ReadBool(kSection, "NoValide", false)) std::abort();
    if (ini.ReadString(kSection, "Date", "absente") != date) std::abort();
    if (ini.ReadString(kSection, "Site", "absent") != site) std::abort();

    ini.WriteDate(kSection, "Date", kSomeDay);
    if (ini.ReadDate(kSection, "Date", 0) != kSomeDay) std::abort();
    if (ini.ReadString(kSection, "NoValide", "") != "1") std::abort();
    return 0;
}
