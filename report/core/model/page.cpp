#include "report/core/model/page.h"

#include <algorithm>

#include "report/core/base/rounding.h"
#include "report/core/base/text.h"
#include "report/core/language/build_context.h"
#include "report/core/model/model_state.h"
#include "report/core/model/name_generator.h"
#include "report/core/model/report.h"
#include "report/core/printer/paper_table.h"

namespace report {
namespace {

constexpr int kMaxGeneratedNumber = 10000;
constexpr int32_t kPageMarker = -1;

bool IsDefaultBin(int32_t bin) {
    return (bin & 0xFFFF) == 0xFFFF;
}

// Report page Width and Height: 3.6 design pixels per millimetre.
int32_t TenthsToPixels(int32_t tenths) {
    return RoundToInt(tenths / 10.0 * 18.0 / 5.0);
}
int32_t PixelsToTenths(int32_t pixels) {
    return RoundToInt(pixels * 10.0 * 5.0 / 18.0);
}

}  // namespace

Page::Page(ModelState& state, Report* report) : state_(&state), report_(report) {
    size = state.printer.DefaultPaperCode();
    ChangePaper(size, 0, -1, 0, 0);
}

Page::~Page() = default;

View& Page::Add(std::unique_ptr<View> view) {
    view->page_ = this;
    objects_.push_back(std::move(view));
    return *objects_.back();
}

std::unique_ptr<View> Page::Remove(View& view) {
    for (auto it = objects_.begin(); it != objects_.end(); ++it) {
        if (it->get() == &view) {
            std::unique_ptr<View> removed = std::move(*it);
            objects_.erase(it);
            removed->page_ = nullptr;
            return removed;
        }
    }
    return nullptr;
}

void Page::ClearObjects() {
    objects_.clear();
}

View* Page::FindObject(std::string_view objectName) const {
    for (const auto& view : objects_) {
        if (SameText(view->name, objectName)) return view.get();
    }
    return nullptr;
}

void Page::ChangePaper(int32_t paperSize, int32_t paperWidth, int32_t paperHeight, int32_t bin,
                       uint8_t paperOrientation) {
    Printer& printer = state_->printer;
    printer.ApplyPageSettings(paperSize, paperWidth, paperHeight, bin, paperOrientation, false);
    if (printer.PaperCode() != paperSize && !printer.IsPrinting()) {
        // The printer does not take this paper: ask for a custom size of the same dimensions.
        printer.ApplyPageSettings(kCustomPaperCode, paperWidth, paperHeight, Printer::kDefaultBin,
                                  paperOrientation, false);
    }
    size = printer.PaperCode();
    width = printer.PaperWidth();
    height = printer.PaperHeight();
    orientation = printer.Orientation();
    paperBin = IsDefaultBin(bin) ? 0xFFFF : printer.PaperBin();
    printer.FillPageMetrics(metrics);
}

IntRect Page::PrintableArea() const {
    // Damaged margins may be any 32-bit value: computed wide and kept far beyond any paper
    // (a million design pixels), so that positions derived from them cannot overflow.
    const auto bounded = [](int64_t value) {
        constexpr int64_t kLimit = 1'000'000;
        return static_cast<int32_t>(std::clamp<int64_t>(value, -kLimit, kLimit));
    };
    if (marginsActive == 0)
        return IntRect{0, 0, bounded(metrics.pageWidth), bounded(metrics.pageHeight)};
    IntRect area;
    area.left = bounded(leftMargin != 0 ? leftMargin : metrics.offsetX);
    area.top = bounded(topMargin != 0 ? topMargin : metrics.offsetY);
    area.right = bounded(rightMargin != 0 ? int64_t{metrics.pageWidth} - rightMargin
                                          : int64_t{metrics.offsetX} + metrics.printableWidth);
    area.bottom = bounded(bottomMargin != 0 ? int64_t{metrics.pageHeight} - bottomMargin
                                            : int64_t{metrics.offsetY} + metrics.printableHeight);
    return area;
}

void Page::GenerateName() {
    if (report_ != nullptr && report_->pageNames != nullptr) {
        name = report_->pageNames->Next("Page");
        return;
    }
    for (int number = 1; number <= kMaxGeneratedNumber; ++number) {
        const std::string candidate = "Page" + std::to_string(number);
        bool taken = false;
        if (report_ != nullptr) {
            for (const auto& page : report_->pages) {
                if (page.get() != this && SameText(page->name, candidate)) {
                    taken = true;
                    break;
                }
            }
        }
        if (!taken) {
            name = candidate;
            return;
        }
    }
    name.clear();
}

void Page::LoadPageRecord(EngineStream& s, int version) {
    script.clear();
    int32_t first = 0;
    ReadI32(s, first);
    const bool hasMarker = first == kPageMarker;
    int32_t paperSize = hasMarker ? size : first;
    if (hasMarker) ReadI32(s, paperSize);
    int32_t paperWidth = width;
    int32_t paperHeight = height;
    ReadI32(s, paperWidth);
    ReadI32(s, paperHeight);
    ReadI32(s, leftMargin);
    ReadI32(s, topMargin);
    ReadI32(s, rightMargin);
    ReadI32(s, bottomMargin);
    uint8_t paperOrientation = orientation;
    ReadU8(s, paperOrientation);
    if (version <= 22) s.Skip(6);
    int32_t bin = -1;
    if (version >= 24) ReadI32(s, bin);
    ReadU16(s, printToPrevPage);
    ReadI16(s, marginsActive);
    ReadI32(s, columns);
    ReadI32(s, columnGap);
    if (version >= 24) {
        ReadU8(s, type);
        name = ReadString(s, version);
        ReadU8(s, borderStyle);
        if (borderStyle == 0)
            borderStyle = 3;
        else if (borderStyle == 1)
            borderStyle = 2;
        caption = ReadString(s, version);
        ReadI32(s, color);
        ReadI32(s, dialogLeft);
        ReadI32(s, dialogTop);
        ReadI32(s, dialogWidth);
        ReadI32(s, dialogHeight);
        ReadU8(s, position);
        if (position != 0) position = 4;
        if (hasMarker) script = ReadMemo(s, version);
    } else {
        GenerateName();
    }
    ChangePaper(paperSize, paperWidth, paperHeight, bin, paperOrientation);
}

void Page::SavePageRecord(EngineStream& s) const {
    WriteI32(s, kPageMarker);
    WriteI32(s, size);
    WriteI32(s, width);
    WriteI32(s, height);
    WriteI32(s, leftMargin);
    WriteI32(s, topMargin);
    WriteI32(s, rightMargin);
    WriteI32(s, bottomMargin);
    WriteU8(s, orientation);
    WriteI32(s, paperBin);
    WriteU16(s, printToPrevPage);
    WriteI16(s, marginsActive);
    WriteI32(s, columns);
    WriteI32(s, columnGap);
    WriteU8(s, type);
    WriteString(s, name);
    WriteU8(s, borderStyle);
    WriteString(s, caption);
    WriteI32(s, color);
    WriteI32(s, dialogLeft);
    WriteI32(s, dialogTop);
    WriteI32(s, dialogWidth);
    WriteI32(s, dialogHeight);
    WriteU8(s, position);
    WriteMemo(s, script);
}

void Page::RegisterProperties(std::vector<PropertyInfo>& list) const {
    using namespace prop_type;
    AddEnumProperty(list, "Type", "model.enum.page_type", {0, 1});
    AddProperty(list, "Name", kText | kSpecial);
    AddProperty(list, "Visible", kBoolean);
    if (IsReportPage()) {
        AddProperty(list, "Size", kInteger);
        AddProperty(list, "Width", kInteger | kPosition);
        AddProperty(list, "Height", kInteger | kPosition);
        AddEnumProperty(list, "Orientation", "model.enum.orientation", {0, 1});
        AddProperty(list, "PrintToPrevPage", kBoolean);
        AddProperty(list, "StretchToPrintable", kBoolean);
        AddProperty(list, "Columns", kInteger);
        AddProperty(list, "ColumnGap", kInteger | kPosition);
        AddProperty(list, "LeftMargin", kInteger | kPosition);
        AddProperty(list, "TopMargin", kInteger | kPosition);
        AddProperty(list, "RightMargin", kInteger | kPosition);
        AddProperty(list, "BottomMargin", kInteger | kPosition);
        AddProperty(list, "Left", kHidden);
        AddProperty(list, "Top", kHidden);
        AddProperty(list, "OnBeforePrint", kEditor | kSpecial);
    } else {
        AddEnumProperty(list, "BorderStyle", "model.enum.border_style", {3, 2});
        AddProperty(list, "Caption", kText);
        AddProperty(list, "Color", kColor);
        AddEnumProperty(list, "Position", "model.enum.position", {0, 4});
        AddProperty(list, "Left", kInteger);
        AddProperty(list, "Top", kInteger);
        AddProperty(list, "Width", kInteger);
        AddProperty(list, "Height", kInteger);
        AddProperty(list, "OnActivate", kEditor | kSpecial);
    }
}

namespace {

const Page& AsPage(const PropertyObject& object) {
    return static_cast<const Page&>(object);
}
Page& AsPage(PropertyObject& object) {
    return static_cast<Page&>(object);
}

// Report pages: Width and Height in design pixels over the paper size; dialog pages: the
// dialog's size in screen pixels.
template <int32_t Page::*Paper, int32_t Page::*Dialog>
Variant PageExtent(const PropertyObject& object) {
    const Page& page = AsPage(object);
    return Variant::Int32(page.IsReportPage() ? TenthsToPixels(page.*Paper) : page.*Dialog);
}
template <int32_t Page::*Paper, int32_t Page::*Dialog>
void SetPageExtent(PropertyObject& object, const Variant& value) {
    Page& page = AsPage(object);
    if (page.IsReportPage())
        page.*Paper = PixelsToTenths(value.ToInt());
    else
        page.*Dialog = value.ToInt();
}

}  // namespace

const FieldTable& Page::StoredFields() const {
    using namespace prop_type;
    using K = StoredFieldKind;
    static const FieldTable table{
        Stored("Name", kText | kSpecial, "name", K::Text, MemberRef<&Page::name>),
        Stored("Type", 0, "type", K::Integer, MemberRef<&Page::type>),
        Stored("Size", kInteger, "size", K::Integer, MemberRef<&Page::size>),
        Stored({}, 0, "width", K::Integer, MemberRef<&Page::width>),
        Stored({}, 0, "height", K::Integer, MemberRef<&Page::height>),
        Stored("Orientation", 0, "orientation", K::Integer, MemberRef<&Page::orientation>),
        Stored({}, 0, "paperBin", K::Integer, MemberRef<&Page::paperBin>),
        Stored("LeftMargin", kInteger | kPosition, "leftMargin", K::Integer,
               MemberRef<&Page::leftMargin>),
        Stored("TopMargin", kInteger | kPosition, "topMargin", K::Integer,
               MemberRef<&Page::topMargin>),
        Stored("RightMargin", kInteger | kPosition, "rightMargin", K::Integer,
               MemberRef<&Page::rightMargin>),
        Stored("BottomMargin", kInteger | kPosition, "bottomMargin", K::Integer,
               MemberRef<&Page::bottomMargin>),
        Stored("PrintToPrevPage", kBoolean, "printToPrevPage", K::Switch,
               MemberRef<&Page::printToPrevPage>)
            .StoringWhenTrue(1),
        Stored({}, 0, "marginsActive", K::Integer, MemberRef<&Page::marginsActive>),
        Computed(
            "StretchToPrintable", kBoolean,
            [](const PropertyObject& o) { return Variant::Boolean(AsPage(o).marginsActive == 0); },
            [](PropertyObject& o, const Variant& value) {
                AsPage(o).marginsActive = value.ToBool() ? 0 : -1;
            }),
        Stored("Columns", kInteger, "columns", K::Integer, MemberRef<&Page::columns>),
        Stored("ColumnGap", kInteger | kPosition, "columnGap", K::Integer,
               MemberRef<&Page::columnGap>),
        Stored("BorderStyle", 0, "borderStyle", K::Integer, MemberRef<&Page::borderStyle>),
        Stored("Caption", kText, "caption", K::Text, MemberRef<&Page::caption>),
        Stored("Color", kColor, "color", K::Color, MemberRef<&Page::color>),
        Stored("Left", kInteger, "dialogLeft", K::Integer, MemberRef<&Page::dialogLeft>),
        Stored("Top", kInteger, "dialogTop", K::Integer, MemberRef<&Page::dialogTop>),
        Stored({}, 0, "dialogWidth", K::Integer, MemberRef<&Page::dialogWidth>),
        Stored({}, 0, "dialogHeight", K::Integer, MemberRef<&Page::dialogHeight>),
        Computed("Width", kInteger, PageExtent<&Page::width, &Page::dialogWidth>,
                 SetPageExtent<&Page::width, &Page::dialogWidth>),
        Computed("Height", kInteger, PageExtent<&Page::height, &Page::dialogHeight>,
                 SetPageExtent<&Page::height, &Page::dialogHeight>),
        Stored("Position", 0, "position", K::Integer, MemberRef<&Page::position>),
        Stored("OnBeforePrint", kEditor | kSpecial, "script", K::Lines, MemberRef<&Page::script>),
        Stored("OnActivate", kEditor | kSpecial, {}, K::Lines, MemberRef<&Page::script>),
        Stored("Visible", kBoolean, {}, K::Switch, MemberRef<&Page::visible>).StoringWhenTrue(1),
    };
    return table;
}

Variant Page::GetPropertyValue(std::string_view propertyName) const {
    if (state_->documentMode == DocumentMode::Printing) {
        const std::string n = UpperCase(propertyName);
        if (n == "LEFTMARGIN") return Variant::Int32(PrintableArea().left);
        if (n == "TOPMARGIN") return Variant::Int32(PrintableArea().top);
        if (n == "RIGHTMARGIN") return Variant::Int32(PrintableArea().right);
        if (n == "BOTTOMMARGIN") {
            // The page footer's room is not the scripts' to fill.
            const BuildContext* build = state_->buildContext;
            const int footer = build != nullptr ? build->PageFooterHeight(*this) : 0;
            return Variant::Int32(PrintableArea().bottom - footer);
        }
    }
    return PropertyObject::GetPropertyValue(propertyName);
}

void Page::SetPropertyValue(std::string_view propertyName, const Variant& value) {
    const std::string n = UpperCase(propertyName);
    if (n == "SIZE") {
        ChangePaper(value.ToInt(), width, height, paperBin, orientation);
    } else if (n == "ORIENTATION") {
        ChangePaper(size, width, height, paperBin, static_cast<uint8_t>(value.ToInt() != 0));
    } else {
        PropertyObject::SetPropertyValue(propertyName, value);
        if (n == "TYPE") RefreshProperties();
    }
}

bool Page::CallMethod(std::string_view, const Variant&, const Variant&, const Variant&, Variant&) {
    return false;
}

Page& PageList::Add(std::unique_ptr<Page> page) {
    pages_.push_back(std::move(page));
    return *pages_.back();
}

void PageList::Delete(size_t index) {
    if (index < pages_.size()) pages_.erase(pages_.begin() + static_cast<std::ptrdiff_t>(index));
}

}  // namespace report
