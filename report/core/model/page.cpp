#include "report/core/model/page.h"

#include <algorithm>

#include "report/core/base/rounding.h"
#include "report/core/base/text.h"
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
    if (marginsActive == 0) return IntRect{0, 0, metrics.pageWidth, metrics.pageHeight};
    IntRect area;
    area.left = leftMargin != 0 ? leftMargin : metrics.offsetX;
    area.top = topMargin != 0 ? topMargin : metrics.offsetY;
    area.right = rightMargin != 0 ? metrics.pageWidth - rightMargin
                                  : metrics.offsetX + metrics.printableWidth;
    area.bottom = bottomMargin != 0 ? metrics.pageHeight - bottomMargin
                                    : metrics.offsetY + metrics.printableHeight;
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

Variant Page::GetPropertyValue(std::string_view propertyName) const {
    const std::string n = UpperCase(propertyName);
    const bool building = state_->documentMode == DocumentMode::Printing;
    if (n == "TYPE") return Variant::Int32(type);
    if (n == "NAME") return Variant::String(name);
    if (n == "VISIBLE") return Variant::Boolean(visible != 0);
    if (n == "SIZE") return Variant::Int32(size);
    if (n == "ORIENTATION") return Variant::Int32(orientation);
    if (n == "PRINTTOPREVPAGE") return Variant::Boolean(printToPrevPage != 0);
    if (n == "STRETCHTOPRINTABLE") return Variant::Boolean(marginsActive == 0);
    if (n == "COLUMNS") return Variant::Int32(columns);
    if (n == "COLUMNGAP") return Variant::Int32(columnGap);
    if (n == "LEFTMARGIN") return Variant::Int32(building ? PrintableArea().left : leftMargin);
    if (n == "TOPMARGIN") return Variant::Int32(building ? PrintableArea().top : topMargin);
    if (n == "RIGHTMARGIN") return Variant::Int32(building ? PrintableArea().right : rightMargin);
    if (n == "BOTTOMMARGIN")
        return Variant::Int32(building ? PrintableArea().bottom : bottomMargin);
    if (n == "BORDERSTYLE") return Variant::Int32(borderStyle);
    if (n == "CAPTION") return Variant::String(caption);
    if (n == "COLOR") return Variant::Int32(color);
    if (n == "POSITION") return Variant::Int32(position);
    if (n == "LEFT") return Variant::Int32(dialogLeft);
    if (n == "TOP") return Variant::Int32(dialogTop);
    if (n == "WIDTH") return Variant::Int32(IsReportPage() ? TenthsToPixels(width) : dialogWidth);
    if (n == "HEIGHT")
        return Variant::Int32(IsReportPage() ? TenthsToPixels(height) : dialogHeight);
    if (n == "ONBEFOREPRINT" || n == "ONACTIVATE") {
        std::string text;
        for (size_t i = 0; i < script.size(); ++i)
            text += (i > 0 ? "\r\n" : "") + script[i];
        return Variant::String(text);
    }
    return Variant();
}

void Page::SetPropertyValue(std::string_view propertyName, const Variant& value) {
    const std::string n = UpperCase(propertyName);
    if (n == "TYPE") {
        type = static_cast<uint8_t>(value.ToInt());
        RefreshProperties();
    } else if (n == "NAME") {
        name = value.ToText();
    } else if (n == "VISIBLE") {
        visible = value.ToBool() ? 1 : 0;
    } else if (n == "SIZE") {
        ChangePaper(value.ToInt(), width, height, paperBin, orientation);
    } else if (n == "ORIENTATION") {
        ChangePaper(size, width, height, paperBin, static_cast<uint8_t>(value.ToInt() != 0));
    } else if (n == "PRINTTOPREVPAGE") {
        printToPrevPage = value.ToBool() ? 1 : 0;
    } else if (n == "STRETCHTOPRINTABLE") {
        marginsActive = value.ToBool() ? 0 : -1;
    } else if (n == "COLUMNS") {
        columns = value.ToInt();
    } else if (n == "COLUMNGAP") {
        columnGap = value.ToInt();
    } else if (n == "LEFTMARGIN") {
        leftMargin = value.ToInt();
    } else if (n == "TOPMARGIN") {
        topMargin = value.ToInt();
    } else if (n == "RIGHTMARGIN") {
        rightMargin = value.ToInt();
    } else if (n == "BOTTOMMARGIN") {
        bottomMargin = value.ToInt();
    } else if (n == "BORDERSTYLE") {
        borderStyle = static_cast<uint8_t>(value.ToInt());
    } else if (n == "CAPTION") {
        caption = value.ToText();
    } else if (n == "COLOR") {
        color = value.ToInt();
    } else if (n == "POSITION") {
        position = static_cast<uint8_t>(value.ToInt());
    } else if (n == "LEFT") {
        dialogLeft = value.ToInt();
    } else if (n == "TOP") {
        dialogTop = value.ToInt();
    } else if (n == "WIDTH") {
        if (IsReportPage())
            width = PixelsToTenths(value.ToInt());
        else
            dialogWidth = value.ToInt();
    } else if (n == "HEIGHT") {
        if (IsReportPage())
            height = PixelsToTenths(value.ToInt());
        else
            dialogHeight = value.ToInt();
    } else if (n == "ONBEFOREPRINT" || n == "ONACTIVATE") {
        script.clear();
        const std::string text = value.ToText();
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos) end = text.size();
            script.push_back(text.substr(start, end - start));
            start = end + 1;
            if (end < text.size() && text[end] == '\r' && start < text.size() &&
                text[start] == '\n')
                ++start;
        }
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
