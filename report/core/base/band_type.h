// Band type codes, as stored in a band object's FrameTyp. The enumeration is the one source; the
// int constants of `band_type` serve the code that handles FrameTyp and the language's build
// interface as plain integers (-1: no band).
#pragma once

#include <cstdint>

namespace report {

enum class BandType : uint16_t {
    ReportTitle = 0,
    ReportSummary = 1,
    PageHeader = 2,
    PageFooter = 3,
    MasterHeader = 4,
    MasterData = 5,
    MasterFooter = 6,
    DetailHeader = 7,
    DetailData = 8,
    DetailFooter = 9,
    SubDetailHeader = 10,
    SubDetailData = 11,
    SubDetailFooter = 12,
    Overlay = 13,
    ColumnHeader = 14,
    ColumnFooter = 15,
    GroupHeader = 16,
    GroupFooter = 17,
    CrossHeader = 18,
    CrossData = 19,
    CrossFooter = 20,
    Child = 21,
    None = 22,
};
inline constexpr int kBandTypeCount = static_cast<int>(BandType::None) + 1;

namespace band_type {
inline constexpr int Code(BandType type) {
    return static_cast<int>(type);
}
inline constexpr int kReportTitle = Code(BandType::ReportTitle);
inline constexpr int kReportSummary = Code(BandType::ReportSummary);
inline constexpr int kPageHeader = Code(BandType::PageHeader);
inline constexpr int kPageFooter = Code(BandType::PageFooter);
inline constexpr int kMasterHeader = Code(BandType::MasterHeader);
inline constexpr int kMasterData = Code(BandType::MasterData);
inline constexpr int kMasterFooter = Code(BandType::MasterFooter);
inline constexpr int kDetailHeader = Code(BandType::DetailHeader);
inline constexpr int kDetailData = Code(BandType::DetailData);
inline constexpr int kDetailFooter = Code(BandType::DetailFooter);
inline constexpr int kSubDetailHeader = Code(BandType::SubDetailHeader);
inline constexpr int kSubDetailData = Code(BandType::SubDetailData);
inline constexpr int kSubDetailFooter = Code(BandType::SubDetailFooter);
inline constexpr int kOverlay = Code(BandType::Overlay);
inline constexpr int kColumnHeader = Code(BandType::ColumnHeader);
inline constexpr int kColumnFooter = Code(BandType::ColumnFooter);
inline constexpr int kGroupHeader = Code(BandType::GroupHeader);
inline constexpr int kGroupFooter = Code(BandType::GroupFooter);
inline constexpr int kCrossHeader = Code(BandType::CrossHeader);
inline constexpr int kCrossData = Code(BandType::CrossData);
inline constexpr int kCrossFooter = Code(BandType::CrossFooter);
inline constexpr int kChild = Code(BandType::Child);
inline constexpr int kNone = Code(BandType::None);
}  // namespace band_type

}  // namespace report
