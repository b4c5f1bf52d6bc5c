// The band editor's logic: a band's settings read as one record, its flags by name, and the
// record written back as one undo step once every field has been checked.
//
// Texts are Windows-1252. Column width and gap are in design pixels.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace report {

class BandView;
class DesignDocument;
class Report;

// The flag names the editor shows, in its order.
const std::array<std::string_view, 7>& BandFlagNames();
// The flags bit of a name (without regard to case); EngineError for a name that is none.
uint16_t BandFlagBit(std::string_view name);

struct BandSettings {
    // Data bands: a data source component's name, or a record count ("5"). Group headers:
    // the condition whose change starts a new group.
    std::string dataSource;
    std::string master;     // group headers: the data band they belong to
    std::string childBand;  // the band printed after this one
    uint16_t flags = 0;     // the whole flags word; other bits pass through untouched
    int32_t columns = 1;
    int32_t columnWidth = 0;
    int32_t columnGap = 0;
    std::vector<std::string> script;  // OnBeforePrint

    bool Flag(std::string_view name) const { return (flags & BandFlagBit(name)) != 0; }
    void SetFlag(std::string_view name, bool on);
};

inline constexpr int32_t kMaxBandColumns = 32;

BandSettings ReadBandSettings(const BandView& band);

// Checks the settings against the band's report, then writes them to `band` (an object of the
// document's page shown) and commits one step. EngineError with the French message and the
// band unchanged when: a group condition is empty or refused by the parser; the child band is
// not a band of the report or is the band itself; the master is not a data band of the report;
// columns lie outside 1..kMaxBandColumns, or width or gap is negative. Returns whether anything
// changed.
bool ApplyBandSettings(DesignDocument& document, BandView& band, const BandSettings& settings);

// What the band editor offers for `band`, by name in page order: the report's data bands (as
// master) and its other bands (as child band).
struct BandChoices {
    std::vector<std::string> masters;
    std::vector<std::string> children;
};
BandChoices BandSettingChoices(const Report& report, const BandView& band);

}  // namespace report
