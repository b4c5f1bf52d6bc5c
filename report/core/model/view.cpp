#include "report/core/model/view.h"

#include <cmath>

#include "report/core/base/errors.h"
#include "report/core/base/rounding.h"
#include "report/core/base/text.h"
#include "report/core/model/model_state.h"
#include "report/core/model/name_generator.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"
#include "report/core/value/format_settings.h"

namespace report {
namespace {

constexpr int kMaxGeneratedNumber = 10000;

}  // namespace

int32_t FormatCode::Default() {
    return Make(kCategoryText, 0, 2, Formats().decimalSeparator);
}

int32_t EncodeFrameWidth(float width) {
    const double value = width;
    // Whole widths above 10 go in thousandths too, so that they read back unchanged.
    if (value == std::floor(value) && value <= 10.0) return static_cast<int32_t>(value);
    const int32_t thousandths = RoundToInt(value * 1000.0);
    // Stored values up to 10 read back as whole pixels: a width too thin (or negative) for
    // thousandths is stored as its nearest whole width rather than as up to 10 pixels.
    if (thousandths <= 10) return RoundToInt(value);
    return thousandths;
}

float DecodeFrameWidth(int32_t stored) {
    if (stored <= 10) return static_cast<float>(stored);
    return static_cast<float>(static_cast<double>(stored) / 1000.0);
}

View::View(uint8_t type, std::string prefix) : namePrefix(std::move(prefix)), objectType(type) {}

View::~View() = default;

Report* View::OwnerReport() const {
    return page_ != nullptr ? page_->OwnerReport() : nullptr;
}

bool View::IsBuilding() const {
    return page_ != nullptr && page_->State().documentMode == DocumentMode::Printing;
}

void View::RegisterProperties(std::vector<PropertyInfo>& list) const {
    using namespace prop_type;
    AddProperty(list, "Name", kText | kSpecial);
    AddProperty(list, "Left", kInteger | kPosition);
    AddProperty(list, "Top", kInteger | kPosition);
    AddProperty(list, "Width", kInteger | kPosition);
    AddProperty(list, "Height", kInteger | kPosition);
    AddProperty(list, "Flags", kHidden);
    AddProperty(list, "FrameTyp", kInteger);
    AddProperty(list, "FrameWidth", kFloat);
    AddProperty(list, "FrameColor", kColor);
    AddEnumProperty(list, "FrameStyle", "model.enum.frame_style", {0, 1, 2, 3, 4, 5});
    AddProperty(list, "FillColor", kColor);
    AddProperty(list, "Visible", kBoolean);
    AddProperty(list, "Memo", kEditor | kSpecial);
    AddProperty(list, "Memo.Count", kHidden);
    AddProperty(list, "GapX", kInteger | kPosition);
    AddProperty(list, "GapY", kInteger | kPosition);
    AddProperty(list, "Stretched", kBoolean);
    AddEnumProperty(list, "BandAlign", "model.enum.band_align", {0, 1, 2, 3, 4, 5, 6});
    AddProperty(list, "DataField", kEditor | kSpecial);
    AddProperty(list, "Tag", kText | kSpecial);
    AddProperty(list, "Restrictions", kInteger);
}

std::string View::JoinLines(const StringList& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += lines[i];
    }
    return text;
}

StringList View::SplitLines(std::string_view text) {
    StringList lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

Variant View::GetPropertyValue(std::string_view propertyName) const {
    const std::string n = UpperCase(propertyName);
    if (n == "NAME") return Variant::String(name);
    if (n == "LEFT") return Variant::Int32(left);
    if (n == "TOP") return Variant::Int32(top);
    if (n == "WIDTH") return Variant::Int32(width);
    if (n == "HEIGHT") return Variant::Int32(height);
    if (n == "FLAGS") return Variant::Int32(flags);
    if (n == "FRAMETYP") return Variant::Int32(frameTyp);
    if (n == "FRAMEWIDTH") return Variant::Double(frameWidth);
    if (n == "FRAMECOLOR") return Variant::Int32(frameColor);
    if (n == "FRAMESTYLE") return Variant::Int32(frameStyle);
    if (n == "FILLCOLOR") return Variant::Int32(fillColor);
    if (n == "VISIBLE") return Variant::Boolean(IsVisible());
    if (n == "MEMO") return Variant::String(JoinLines(memo));
    if (n == "MEMO.COUNT") return Variant::Int32(static_cast<int32_t>(memo.size()));
    if (n == "GAPX") return Variant::Int32(gapX);
    if (n == "GAPY") return Variant::Int32(gapY);
    if (n == "STRETCHED") return Variant::Boolean(HasFlag(view_flag::kStretched));
    if (n == "BANDALIGN") return Variant::Int32(bandAlign);
    if (n == "DATAFIELD") return Variant::String(memo.empty() ? std::string() : memo.front());
    if (n == "TAG") return Variant::String(tag);
    if (n == "RESTRICTIONS") return Variant::Int32(restrictions);
    return Variant();
}

void View::SetPropertyValue(std::string_view propertyName, const Variant& value) {
    const std::string n = UpperCase(propertyName);
    if (n == "NAME")
        name = value.ToText();
    else if (n == "LEFT")
        left = value.ToInt();
    else if (n == "TOP")
        top = value.ToInt();
    else if (n == "WIDTH")
        width = value.ToInt();
    else if (n == "HEIGHT")
        height = value.ToInt();
    else if (n == "FLAGS")
        flags = static_cast<uint16_t>(value.ToInt());
    else if (n == "FRAMETYP")
        frameTyp = static_cast<uint16_t>(value.ToInt());
    else if (n == "FRAMEWIDTH")
        frameWidth = static_cast<float>(value.ToReal());
    else if (n == "FRAMECOLOR")
        frameColor = value.ToInt();
    else if (n == "FRAMESTYLE")
        frameStyle = static_cast<uint16_t>(value.ToInt());
    else if (n == "FILLCOLOR")
        fillColor = value.ToInt();
    else if (n == "VISIBLE")
        visible = value.ToBool() ? 0xFFFF : 0;
    else if (n == "MEMO" || n == "DATAFIELD")
        memo = SplitLines(value.ToText());
    else if (n == "GAPX")
        gapX = value.ToInt();
    else if (n == "GAPY")
        gapY = value.ToInt();
    else if (n == "STRETCHED")
        SetFlag(view_flag::kStretched, value.ToBool());
    else if (n == "BANDALIGN")
        bandAlign = static_cast<uint8_t>(value.ToInt());
    else if (n == "TAG")
        tag = value.ToText();
    else if (n == "RESTRICTIONS")
        restrictions = static_cast<uint16_t>(value.ToInt());
}

Variant View::EvaluateArgument(const Variant& argument) const {
    if (page_ == nullptr || !page_->State().evaluate || !argument.IsString()) return argument;
    return page_->State().evaluate(argument.StringValue());
}

StringList* View::MethodList(std::string_view listName) {
    return SameText(listName, "MEMO") ? &memo : nullptr;
}

bool View::CallMethod(std::string_view methodName, const Variant& p1, const Variant& p2,
                      const Variant& p3, Variant& result) {
    const std::string n = UpperCase(methodName);
    if (n == "HIDE" || n == "SHOW") {
        visible = n == "SHOW" ? 0xFFFF : 0;
        return true;
    }
    if (n == "GETINDEXPROPERTY" || n == "SETINDEXPROPERTY") {
        StringList* list = MethodList(p1.ToText());
        if (list == nullptr) return false;
        const int32_t index = p2.ToInt();
        if (index < 0 || static_cast<size_t>(index) >= list->size()) throw ListIndexError(index);
        if (n == "GETINDEXPROPERTY") {
            result = Variant::String((*list)[index]);
        } else {
            (*list)[index] = p3.ToText();
        }
        return true;
    }
    const size_t stop = n.find('.');
    if (stop == std::string::npos) return false;
    StringList* list = MethodList(std::string_view(n).substr(0, stop));
    if (list == nullptr) return false;
    const std::string operation = n.substr(stop + 1);
    if (operation == "ADD") {
        list->push_back(EvaluateArgument(p1).ToText());
    } else if (operation == "CLEAR") {
        list->clear();
    } else if (operation == "DELETE") {
        const int32_t index = EvaluateArgument(p1).ToInt();
        if (index < 0 || static_cast<size_t>(index) >= list->size()) throw ListIndexError(index);
        list->erase(list->begin() + index);
    } else if (operation == "INDEXOF") {
        const std::string wanted = EvaluateArgument(p1).ToText();
        int32_t found = -1;
        for (size_t i = 0; i < list->size(); ++i) {
            if (SameText((*list)[i], wanted)) {
                found = static_cast<int32_t>(i);
                break;
            }
        }
        result = Variant::Int32(found);
    } else {
        return false;
    }
    return true;
}

void View::GenerateName() {
    const Report* report = OwnerReport();
    if (report != nullptr && report->objectNames != nullptr) {
        const std::string generated = report->objectNames->Next(namePrefix);
        if (generated.empty())
            name.clear();
        else
            SetPropertyValue("Name", Variant::String(generated));
        return;
    }
    for (int number = 1; number <= kMaxGeneratedNumber; ++number) {
        const std::string candidate = namePrefix + std::to_string(number);
        const bool taken = report != nullptr  ? report->FindObject(candidate) != nullptr
                           : page_ != nullptr ? page_->FindObject(candidate) != nullptr
                                              : false;
        if (!taken) {
            SetPropertyValue("Name", Variant::String(candidate));
            return;
        }
    }
    name.clear();
}

void View::ReadCommonRecord(EngineStream& s, int version) {
    if (version >= 24 || (version == 23 && !inPreparedPage)) {
        name = ReadString(s, version);
    } else {
        GenerateName();
    }
    if (version >= 24) {
        ReadU8(s, recordVersion);
        ReadU8(s, recordSubVersion);
    }
    ReadI32(s, left);
    ReadI32(s, top);
    ReadI32(s, width);
    ReadI32(s, height);
    ReadU16(s, flags);
    ReadU16(s, frameTyp);
    int32_t storedFrameWidth = EncodeFrameWidth(frameWidth);
    if (ReadI32(s, storedFrameWidth)) frameWidth = DecodeFrameWidth(storedFrameWidth);
    ReadI32(s, frameColor);
    ReadU16(s, frameStyle);
    ReadI32(s, fillColor);
    if (!inPreparedPage) {
        ReadI32(s, formatCode);
        formatPattern = ReadString(s, version);
    }
    if (inPreparedPage) {
        expandedMemo = ReadMemo(s, version);
    } else {
        memo = ReadMemo(s, version);
    }
    if (!inPreparedPage && version >= 23) {
        script = ReadMemo(s, version);
        ReadU16(s, visible);
    }
    if (version >= 24) {
        ReadU16(s, restrictions);
        tag = ReadString(s, version);
        ReadI32(s, gapX);
        ReadI32(s, gapY);
    }
    if (recordVersion > 1) ReadU8(s, bandAlign);
}

void View::WriteCommonRecord(EngineStream& s) const {
    WriteString(s, name);
    WriteU8(s, recordVersion);
    WriteU8(s, recordSubVersion);
    WriteI32(s, left);
    WriteI32(s, top);
    WriteI32(s, width);
    WriteI32(s, height);
    WriteU16(s, flags);
    WriteU16(s, frameTyp);
    WriteI32(s, EncodeFrameWidth(frameWidth));
    WriteI32(s, frameColor);
    WriteU16(s, frameStyle);
    WriteI32(s, fillColor);
    if (!inPreparedPage) {
        WriteI32(s, formatCode);
        WriteString(s, formatPattern);
    }
    WriteMemo(s, inPreparedPage ? expandedMemo : memo);
    if (!inPreparedPage) {
        WriteMemo(s, script);
        WriteU16(s, visible);
    }
    WriteU16(s, restrictions);
    WriteString(s, tag);
    WriteI32(s, gapX);
    WriteI32(s, gapY);
    WriteU8(s, bandAlign);
}

void View::ReadRecord(EngineStream& s, int version) {
    ReadCommonRecord(s, version);
}

void View::WriteRecord(EngineStream& s) {
    recordVersion = 2;
    WriteCommonRecord(s);
}

}  // namespace report
