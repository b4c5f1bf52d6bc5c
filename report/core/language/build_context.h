// BuildContext: what the report language needs of the report being built.
//
// The building engine implements it for the report it builds and attaches it to the engine's
// ValueResolver; value resolution, the function libraries, the report functions and the script
// interpreter read the build state and reach the report's objects only through it. Outside a
// build nothing is attached; tests and `etat` use small implementations of their own.
//
// Every operation has a neutral default (no host handler, no dictionary, counters at 0, no
// objects, statements ignored), so an implementation overrides what it has.
// Positions and sizes are design pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/core/language/property_access.h"
#include "report/core/value/date_time.h"
#include "report/core/value/variables.h"
#include "report/core/value/variant.h"

namespace report {

// The display format and flags of the object being output.
struct ViewFormat {
    int32_t formatCode = 0;  // bits as in FormatCode: category, variant, decimals, separator
    std::string formatPattern;
    bool hideZeros = false;
    bool textOnly = false;
};

// Which band's aggregate band an aggregate call reads while building: the band that holds the
// call, or, while a cross data band prints its column for a horizontal band, that horizontal band.
enum class AggregateHolder { CurrentBand, HorizontalBand };

class BuildContext {
  public:
    virtual ~BuildContext() = default;

    // --- The host's events of the report ---
    // OnGetValue: answers by assigning `value` (any kind, Null and "" included); declines by
    // leaving it empty.
    virtual void OnGetValue(const std::string& /*name*/, Variant& /*value*/) {}
    // OnUserFunction: may set `val`; the arguments are the argument texts as strings.
    virtual void OnUserFunction(const std::string& /*name*/, const Variant& /*p1*/,
                                const Variant& /*p2*/, const Variant& /*p3*/, Variant& /*val*/) {}

    // --- The report's data dictionary ---
    // True when the dictionary recognises the name (cached field, dictionary variable, field of
    // a data set or of the current band's default data set).
    virtual bool IsDictionaryName(const std::string& /*name*/) { return false; }
    // The value of a recognised name (a dictionary variable's expression already evaluated).
    virtual Variant DictionaryValue(const std::string& /*name*/) { return Variant::Null(); }
    // Sets a dictionary variable; false when the dictionary defines no variable of that name.
    virtual bool SetDictionaryVariable(const std::string& /*name*/, const Variant& /*value*/) {
        return false;
    }
    // The dictionary's variables (values are expression texts), or null.
    virtual const Variables* DictionaryVariables() const { return nullptr; }

    // --- Counters and passes ---
    virtual int PageIndex() const { return 0; }  // 0-based; PAGE# is this + 1
    virtual int TotalPages() const { return 0; }
    virtual DateTime RunDate() const { return Today(); }
    virtual DateTime RunTime() const { return TimeNow(); }
    // LINE# and LINETHROUGH# of the band in effect (the current band, or the first band of its
    // kind on the page when the current band has no data source).
    virtual int LineNumber() const { return 0; }
    virtual int LineThrough() const { return 0; }
    virtual int ColumnNumber() const { return 0; }  // COLUMN#
    virtual int RecordNumber() const { return 0; }  // CURRENT#
    virtual bool FinalPass() const { return true; }

    // --- Positions on the current page ---
    virtual int CurY() const { return 0; }
    // Sets the current page's CurY; when the current band's script already asked for a new page
    // or column, the band is marked so that this position applies again after the break.
    virtual void SetCurY(int /*y*/) {}
    virtual int BottomY() const { return 0; }  // lowest usable position (PAGEHEIGHT)
    virtual int RightX() const { return 0; }   // right edge of the usable area (PAGEWIDTH)
    // The height of the page footer band of `page` (a template page) while it is formed; 0
    // when it has none or is not being formed.
    virtual int PageFooterHeight(const PropertyAccess& /*page*/) const { return 0; }

    // --- The object being output (the current view) ---
    virtual bool HasCurrentView() const { return false; }
    virtual ViewFormat CurrentViewFormat() const { return {}; }
    virtual bool CurrentViewIsText() const { return false; }
    virtual std::vector<std::string> CurrentViewMemo() const { return {}; }
    virtual void SetCurrentViewExpandedMemo(std::vector<std::string> /*lines*/) {}
    // The width needed to draw the current text object's ExpandedMemo.
    virtual int MeasureCurrentViewText() { return 0; }
    virtual int CurrentViewWidth() const { return 0; }

    // --- Objects, for Name.Property, methods and script assignments ---
    // The report object of that name on any page (without regard to case), or null.
    virtual PropertyAccess* FindObject(const std::string& /*name*/) { return nullptr; }
    // The template page of that number, counted from 1 (PAGE2), or null.
    virtual PropertyAccess* TemplatePage(int /*number*/) { return nullptr; }
    // The object whose script runs, or null.
    virtual PropertyAccess* CurrentObject() { return nullptr; }

    // --- Names that only scripts assign ---
    // MODALRESULT: closes the current dialog page's window with that result; false when the
    // current page is not a dialog page.
    virtual bool SetModalResult(int /*result*/) { return false; }
    // PROGRESS: the second line of the progress window, then pending window messages run once.
    virtual void ShowProgress(const std::string& /*text*/) {}

    // --- Statement functions ---
    virtual void StopReport() {}
    virtual void NewPage() {}    // the current band's page-break count rises by 1
    virtual void NewColumn() {}  // the current band's column-break count rises by 1
    // Prints at once the band of the current page whose band object has that name.
    virtual void ShowBand(const std::string& /*name*/) {}

    // --- Aggregates (SUM, MIN, MAX, AVG, COUNT) ---
    // The band that holds the call (the current band): its object's name and band type, -1
    // when there is none.
    virtual std::string CurrentBandName() const { return {}; }
    virtual int CurrentBandType() const { return -1; }
    // True when the current band shares objects with vertical bands (one copy per column).
    virtual bool CurrentBandSharesVerticalObjects() const { return false; }
    // While linking: the data band whose aggregates are being collected (its object's name and
    // band type); false when there is none.
    virtual bool AggregateTarget(std::string& /*name*/, int& /*bandType*/) const { return false; }
    // While linking: adds the entry to the target data band's aggregates with its initial value,
    // and makes the target the current band's aggregate band.
    virtual void RegisterAggregate(const std::string& /*key*/, const Variant& /*initialValue*/) {}
    // While building: true while a cross data band prints the column `column` (counted from 1)
    // for the horizontal band named `horizontalBand`.
    virtual bool CrossColumn(int& /*column*/, std::string& /*horizontalBand*/) const {
        return false;
    }
    // While building: whether that band has an aggregate band, and the value of an entry of it
    // (AVG already divided by the records counted, 0 over no records). `dataBandName` is the
    // call's band-name argument: empty, the first of the band's aggregate bands that holds the
    // key answers; else the one of that name.
    virtual bool HasAggregateBand(AggregateHolder /*holder*/) const { return false; }
    virtual Variant AggregateValue(AggregateHolder /*holder*/, const std::string& /*key*/,
                                   const std::string& /*dataBandName*/) {
        return Variant::Int32(0);
    }
};

}  // namespace report
