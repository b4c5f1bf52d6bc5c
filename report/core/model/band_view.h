// The band object: a design-time rectangle that becomes a run-time band when a report is built.
// Its band type lives in FrameTyp, its data source name (group header: condition) in
// FormatPattern and its OnBeforePrint script in Memo.
#pragma once

#include <string>

#include "report/core/base/band_type.h"
#include "report/core/model/view.h"

namespace report {

// The display name of a band type (engine text 55077 + type); "" beyond the table.
const std::string& BandTypeDisplayName(int type);
// Cross-tab bands (18-20) are vertical: their objects are placed by horizontal extent.
inline bool IsVerticalBand(int type) {
    return type >= band_type::kCrossHeader && type <= band_type::kCrossFooter;
}

class BandView : public View {
  public:
    BandView();
    std::string ClassName() const override { return "BandView"; }

    std::string childBand;  // name of the child band printed after this one
    std::string master;     // master data band of a group header
    int32_t columns = 1;
    int32_t columnWidth = 200;
    int32_t columnGap = 20;
    int32_t newColumnAfter = 1;

    int BandTypeCode() const { return frameTyp; }
    BandType GetBandType() const { return static_cast<BandType>(frameTyp); }
    void SetBandType(BandType type) { frameTyp = static_cast<uint16_t>(type); }

    const FieldTable& StoredFields() const override;
    // While a report is built (build.runtimeBand set), Left, Top, Width, Height, Visible and
    // DATASOURCE act on the run-time band, and ChildBand also relinks it.
    Variant GetPropertyValue(std::string_view name) const override;
    void SetPropertyValue(std::string_view name, const Variant& value) override;
    bool CallMethod(std::string_view name, const Variant& p1, const Variant& p2, const Variant& p3,
                    Variant& result) override;

    void ReadRecord(EngineStream& s, int version) override;
    void WriteRecord(EngineStream& s) override;

  private:
    bool ActsOnRuntimeBand(const std::string& upperName) const;
};

}  // namespace report
