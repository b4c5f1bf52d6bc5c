#include "report/core/model/view.h"

#include <cmath>

#include "report/core/base/errors.h"
#include "report/core/base/rounding.h"
#include "report/core/base/split_lines.h"
#include "report/core/base/text.h"
#include "report/core/model/model_state.h"
#include "report/core/model/name_generator.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"

namespace report {
namespace {

constexpr int kMaxGeneratedNumber = 10000;

}  // namespace

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

namespace {

constexpr int32_t kFrameStyles[] = {0, 1, 2, 3, 4, 5};
constexpr int32_t kBandAligns[] = {0, 1, 2, 3, 4, 5, 6};

const View& AsView(const PropertyObject& object) {
    return static_cast<const View&>(object);
}

// The text a record stores: the memo, or the finished text in a prepared page.
FieldRef RecordMemo(PropertyObject& object) {
    View& view = static_cast<View&>(object);
    return view.inPreparedPage ? &view.expandedMemo : &view.memo;
}

}  // namespace

StoredField View::FlagProperty(std::string_view property, uint16_t bit) {
    StoredField flag =
        Stored(property, prop_type::kBoolean, {}, StoredFieldKind::Flag, MemberRef<&View::flags>);
    flag.bits = bit;
    return flag;
}

const FieldTable& View::CommonFields() {
    using namespace prop_type;
    using K = StoredFieldKind;
    static const FieldTable table{
        Stored("Name", kText | kSpecial, "name", K::Text, MemberRef<&View::name>),
        Stored({}, 0, "recordSubVersion", K::Integer, MemberRef<&View::recordSubVersion>),
        Stored("Left", kInteger | kPosition, "left", K::Integer, MemberRef<&View::left>),
        Stored("Top", kInteger | kPosition, "top", K::Integer, MemberRef<&View::top>),
        Stored("Width", kInteger | kPosition, "width", K::Integer, MemberRef<&View::width>),
        Stored("Height", kInteger | kPosition, "height", K::Integer, MemberRef<&View::height>),
        Stored("Flags", kHidden, "flags", K::Integer, MemberRef<&View::flags>),
        Stored("FrameTyp", kInteger, "frameTyp", K::Integer, MemberRef<&View::frameTyp>),
        Stored("FrameWidth", kFloat, "frameWidth", K::Float, MemberRef<&View::frameWidth>),
        Stored("FrameColor", kColor, "frameColor", K::Color, MemberRef<&View::frameColor>),
        Stored("FrameStyle", 0, "frameStyle", K::Integer, MemberRef<&View::frameStyle>)
            .Enumerated("model.enum.frame_style", kFrameStyles),
        Stored("FillColor", kColor, "fillColor", K::Color, MemberRef<&View::fillColor>),
        Stored({}, 0, "formatCode", K::Integer, MemberRef<&View::formatCode>).OnlyInTemplates(),
        Stored({}, 0, "formatPattern", K::Text, MemberRef<&View::formatPattern>).OnlyInTemplates(),
        Stored({}, 0, "memo", K::Lines, RecordMemo),
        Stored({}, 0, "script", K::Lines, MemberRef<&View::script>).OnlyInTemplates(),
        Stored("Visible", kBoolean, "visible", K::Switch, MemberRef<&View::visible>)
            .StoringWhenTrue(0xFFFF)
            .OnlyInTemplates(),
        Stored("Memo", kEditor | kSpecial, {}, K::Lines, MemberRef<&View::memo>),
        Computed("Memo.Count", kHidden,
                 [](const PropertyObject& o) {
                     return Variant::Int32(static_cast<int32_t>(AsView(o).memo.size()));
                 }),
        Stored("Restrictions", kInteger, "restrictions", K::Integer,
               MemberRef<&View::restrictions>),
        Stored("Tag", kText | kSpecial, "tag", K::Text, MemberRef<&View::tag>),
        Stored("GapX", kInteger | kPosition, "gapX", K::Integer, MemberRef<&View::gapX>),
        Stored("GapY", kInteger | kPosition, "gapY", K::Integer, MemberRef<&View::gapY>),
        FlagProperty("Stretched", view_flag::kStretched),
        Stored("BandAlign", 0, "bandAlign", K::Integer, MemberRef<&View::bandAlign>)
            .Enumerated("model.enum.band_align", kBandAligns),
        Computed(
            "DataField", kEditor | kSpecial,
            [](const PropertyObject& o) {
                const View& view = AsView(o);
                return Variant::String(view.memo.empty() ? std::string() : view.memo.front());
            },
            [](PropertyObject& o, const Variant& value) {
                static_cast<View&>(o).memo = SplitLines(value.ToText());
            }),
    };
    return table;
}

const FieldTable& View::StoredFields() const {
    return CommonFields();
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
