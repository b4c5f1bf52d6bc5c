// A page of a report: a report page (paper, margins, columns, the objects laid on it) or a
// dialog page. A page owns its objects.
//
// Units: paper width and height in tenths of a millimetre; margins and column gap in design
// pixels; dialog bounds in screen pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "report/core/model/property_object.h"
#include "report/core/model/view.h"
#include "report/core/printer/page_metrics.h"

namespace report {

class ModelState;
class Report;

enum class PageType : uint8_t { ptReport = 0, ptDialog = 1 };

class Page : public PropertyObject {
  public:
    // A new page takes the printer layer's default paper, portrait, and the printer's answer.
    Page(ModelState& state, Report* report);
    ~Page() override;

    // ---- persistent fields ----
    int32_t size = 9;   // paper code; 256 = custom
    int32_t width = 0;  // tenths of a millimetre
    int32_t height = 0;
    int32_t leftMargin = 0;  // design pixels; 0 = the printer's unprintable offset
    int32_t topMargin = 0;
    int32_t rightMargin = 0;
    int32_t bottomMargin = 0;
    uint8_t orientation = 0;  // poPortrait, poLandscape
    int32_t paperBin = 0;     // low 16 bits all ones = printer default
    uint16_t printToPrevPage = 0;
    int16_t marginsActive = -1;  // non-zero: margins apply (StretchToPrintable is its negation)
    int32_t columns = 0;
    int32_t columnGap = 0;  // design pixels
    uint8_t type = 0;       // PageType
    std::string name;
    uint8_t borderStyle = 3;  // bsDialog = 3, bsSizeable = 2
    std::string caption = "Form";
    int32_t color = kButtonFaceColor;
    int32_t dialogLeft = 220;  // screen pixels
    int32_t dialogTop = 120;
    int32_t dialogWidth = 380;
    int32_t dialogHeight = 300;
    uint8_t position = 4;  // poDesigned = 0, poScreenCenter = 4
    StringList script;     // OnBeforePrint (report page) or OnActivate (dialog page)
    uint8_t visible = 1;

    // ---- run-time state ----
    PageMetrics metrics;      // of the printer for this page's paper
    int32_t columnWidth = 0;  // computed while building
    bool isSubReportPage = false;

    bool IsReportPage() const { return type == static_cast<uint8_t>(PageType::ptReport); }

    // ---- objects ----
    const std::vector<std::unique_ptr<View>>& Objects() const { return objects_; }
    size_t ObjectCount() const { return objects_.size(); }
    View& ObjectAt(size_t index) const { return *objects_.at(index); }
    View& Add(std::unique_ptr<View> view);
    std::unique_ptr<View> Remove(View& view);
    void ClearObjects();
    // The object named `name` (compared without case), or nullptr.
    View* FindObject(std::string_view name) const;

    // Applies a paper through the printer layer (a rejected paper falls back to a custom size)
    // and takes back size, width, height, orientation and bin, then the page metrics. A bin
    // whose low 16 bits are all ones is kept as 0xFFFF.
    void ChangePaper(int32_t paperSize, int32_t paperWidth, int32_t paperHeight, int32_t bin,
                     uint8_t paperOrientation);

    // The printable area in design pixels (margins, or the printer's offsets).
    IntRect PrintableArea() const;

    // Gives the page the first free name "Page" + N among the report's pages.
    void GenerateName();

    // Page record of a template (after the byte 255), by the rules of stream version `version`.
    void LoadPageRecord(EngineStream& s, int version);
    void SavePageRecord(EngineStream& s) const;

    const FieldTable& StoredFields() const override;
    // While a report is built, the margin getters give the edges of the printable area (the
    // bottom one above the page footer of the page being built); Size
    // and Orientation change the paper through the printer layer, and Type the property list.
    Variant GetPropertyValue(std::string_view name) const override;
    void SetPropertyValue(std::string_view name, const Variant& value) override;
    bool CallMethod(std::string_view name, const Variant& p1, const Variant& p2, const Variant& p3,
                    Variant& result) override;

    Report* OwnerReport() const { return report_; }
    ModelState& State() const { return *state_; }

  protected:
    void RegisterProperties(std::vector<PropertyInfo>& list) const override;

  private:
    ModelState* state_;
    Report* report_;
    std::vector<std::unique_ptr<View>> objects_;
};

// The report's ordered page list; owns the pages.
class PageList {
  public:
    size_t Count() const { return pages_.size(); }
    Page& operator[](size_t index) const { return *pages_.at(index); }
    Page& Add(std::unique_ptr<Page> page);
    void Delete(size_t index);
    void Clear() { pages_.clear(); }
    auto begin() const { return pages_.begin(); }
    auto end() const { return pages_.end(); }

  private:
    std::vector<std::unique_ptr<Page>> pages_;
};

}  // namespace report
