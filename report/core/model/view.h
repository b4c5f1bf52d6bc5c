// Report objects: the common part (`View`) of text, picture, band, sub-report, line and add-in
// objects, and the `Stretchable` branch whose height can grow with its content.
//
// Units: positions, sizes and gaps in design pixels (relative to the page; to the band while a
// report is built); colours as in drawing_codes.h.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/core/base/drawing_codes.h"
#include "report/core/base/engine_stream.h"
#include "report/core/model/property_object.h"
#include "report/core/model/view_build_state.h"
#include "report/core/value/display_format.h"

namespace report {

class Page;
class Report;
class ModelState;

// Object type codes, as stored in templates and prepared pages.
namespace object_type {
inline constexpr uint8_t kMemo = 0;
inline constexpr uint8_t kPicture = 1;
inline constexpr uint8_t kBand = 2;
inline constexpr uint8_t kSubReport = 3;
inline constexpr uint8_t kLine = 4;
inline constexpr uint8_t kAddIn = 10;
}  // namespace object_type

// Flags bits. Bit 0 and bit 15 apply to every object; the others depend on the class.
namespace view_flag {
inline constexpr uint16_t kStretched = 1;
inline constexpr uint16_t kNotifyViewPrint = 0x8000;
// Text objects
inline constexpr uint16_t kWordWrap = 2;
inline constexpr uint16_t kWordBreak = 4;
inline constexpr uint16_t kAutoWidth = 8;
inline constexpr uint16_t kTextOnly = 16;
inline constexpr uint16_t kSuppress = 32;
inline constexpr uint16_t kHideZeros = 64;
inline constexpr uint16_t kUnderlines = 128;
// Bands
inline constexpr uint16_t kFormNewPage = 2;
inline constexpr uint16_t kPrintIfSubsetEmpty = 4;
inline constexpr uint16_t kBreaked = 8;
inline constexpr uint16_t kOnFirstPage = 16;
inline constexpr uint16_t kOnLastPage = 32;
inline constexpr uint16_t kRepeatHeader = 64;
inline constexpr uint16_t kPrintChildIfInvisible = 128;
// Pictures
inline constexpr uint16_t kCenter = 2;
inline constexpr uint16_t kKeepAspect = 4;
}  // namespace view_flag

// Restrictions bits (designer only).
namespace restriction {
inline constexpr uint16_t kMemoLocked = 1;
inline constexpr uint16_t kScriptLocked = 2;
inline constexpr uint16_t kContentsLocked = 4;
inline constexpr uint16_t kNotModifiable = 8;
inline constexpr uint16_t kNotResizable = 16;
inline constexpr uint16_t kNotMovable = 32;
inline constexpr uint16_t kNotDeletable = 64;
}  // namespace restriction

struct IntRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    friend bool operator==(const IntRect&, const IntRect&) = default;
};

class View : public PropertyObject {
  public:
    ~View() override;

    ViewBuildState build;  // what a build gives the object for a while
    // Prepared pages: the object is stored in the compact record (no format, script or
    // visibility), whose text is `expandedMemo`.
    bool inPreparedPage = false;
    // The memo after expression expansion: what a prepared page's object holds and draws.
    StringList expandedMemo;
    std::string namePrefix;  // "View", "Memo", "Picture", "Band", "SubReport", "Line"

    // ---- identity ----
    std::string name;
    uint8_t objectType = object_type::kMemo;
    uint8_t recordVersion = 0;
    uint8_t recordSubVersion = 0;
    uint32_t objectId = 0;
    bool selected = false;  // designer selection; objects still to place while building

    // ---- persistent fields (described once in StoredFields) ----
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t flags = view_flag::kStretched;
    uint16_t frameTyp = 0;  // band views: the band type
    float frameWidth = 1.0f;
    int32_t frameColor = 0;
    uint16_t frameStyle = 0;
    int32_t fillColor = kNoColor;
    int32_t formatCode = DefaultFormatCode();
    std::string formatPattern;  // band views: data source name or group condition
    uint16_t visible = 0xFFFF;
    int32_t gapX = 2;
    int32_t gapY = 1;
    uint16_t restrictions = 0;
    std::string tag;
    StringList memo;  // band views: the band's OnBeforePrint script
    StringList script;
    uint8_t bandAlign = 0;

    bool IsVisible() const { return visible != 0; }
    bool HasFlag(uint16_t bit) const { return (flags & bit) != 0; }
    void SetFlag(uint16_t bit, bool on) {
        flags = static_cast<uint16_t>(on ? flags | bit : flags & ~bit);
    }

    Page* OwnerPage() const { return page_; }
    // The report of the owner page, or nullptr.
    Report* OwnerReport() const;
    // The class name stored for add-in objects and shown by the tools.
    virtual std::string ClassName() const = 0;

    // ---- by-name properties (names compared without case), from StoredFields ----
    const FieldTable& StoredFields() const override;
    // HIDE, SHOW; on the memo list "MEMO" (text objects also "LINES"): list.ADD(expression),
    // list.CLEAR, list.DELETE(index expression), list.INDEXOF(expression) -- these arguments
    // arrive as texts and are evaluated through the engine's evaluator -- and
    // GETINDEXPROPERTY(list name, index) / SETINDEXPROPERTY(list name, index, value), whose
    // arguments arrive as values. An index out of range raises ListIndexError.
    bool CallMethod(std::string_view name, const Variant& p1, const Variant& p2, const Variant& p3,
                    Variant& result) override;

    // ---- hooks ----
    virtual void NotifyViewPrint(View&) {}
    virtual void AfterLoad() {}

    // ---- records ----
    // Reads the view record and the class tail by the rules of stream version `version`;
    // the compact variant when inPreparedPage is set.
    virtual void ReadRecord(EngineStream& s, int version);
    // Writes the record as version 24 (template or compact variant by inPreparedPage).
    virtual void WriteRecord(EngineStream& s);

    // Gives the object the first free name NamePrefix + N (N from 1 to 10000) in its report;
    // the name stays empty when none is free.
    void GenerateName();

  protected:
    View(uint8_t type, std::string prefix);
    // The fields every object has; the tables of the kinds start from it.
    static const FieldTable& CommonFields();
    // A boolean property on one bit of Flags.
    static StoredField FlagProperty(std::string_view property, uint16_t bit);

    void ReadCommonRecord(EngineStream& s, int version);
    void WriteCommonRecord(EngineStream& s) const;

    // The memo list addressed by a method's list name ("MEMO"; text objects add "LINES").
    virtual StringList* MethodList(std::string_view listName);
    bool IsBuilding() const;
    // The value of a method argument given as an expression text.
    Variant EvaluateArgument(const Variant& argument) const;

  private:
    friend class Page;
    Page* page_ = nullptr;
};

// An object whose height can grow with its content (build.actualHeight, build.drawMode).
class Stretchable : public View {
  protected:
    using View::View;
};

// FrameWidth as stored: whole widths up to 10 as themselves, other widths in thousandths (a
// fraction whose thousandths would be 10 or less is stored as its nearest whole width).
int32_t EncodeFrameWidth(float width);
float DecodeFrameWidth(int32_t stored);

}  // namespace report
