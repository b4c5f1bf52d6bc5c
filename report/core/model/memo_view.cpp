#include "report/core/model/memo_view.h"

#include <charconv>

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"

namespace report {
namespace {

struct FlagProperty {
    const char* name;
    uint16_t bit;
};

constexpr FlagProperty kMemoFlags[] = {
    {"WORDWRAP", view_flag::kWordWrap},     {"WORDBREAK", view_flag::kWordBreak},
    {"AUTOWIDTH", view_flag::kAutoWidth},   {"TEXTONLY", view_flag::kTextOnly},
    {"SUPPRESS", view_flag::kSuppress},     {"HIDEZEROS", view_flag::kHideZeros},
    {"UNDERLINES", view_flag::kUnderlines},
};

}  // namespace

uint8_t DefaultCharset() {
    const std::string& text = EngineText(text_id::kOne);
    int value = 1;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return static_cast<uint8_t>(value);
}

MemoView::MemoView() : Stretchable(object_type::kMemo, "Memo") {
    flags = view_flag::kStretched | view_flag::kWordWrap | view_flag::kHideZeros;
    font.charset = DefaultCharset();
}

void MemoView::RegisterProperties(std::vector<PropertyInfo>& list) const {
    using namespace prop_type;
    View::RegisterProperties(list);
    AddProperty(list, "Font", kEditor);
    AddProperty(list, "FONT.NAME", kHidden);
    AddProperty(list, "FONT.SIZE", kHidden);
    AddProperty(list, "FONT.COLOR", kHidden);
    AddProperty(list, "FONT.STYLE", kHidden);
    AddProperty(list, "Alignment", kInteger);
    AddProperty(list, "LineSpacing", kInteger | kPosition);
    AddProperty(list, "CharSpacing", kInteger | kPosition);
    AddProperty(list, "WordWrap", kBoolean);
    AddProperty(list, "WordBreak", kBoolean);
    AddProperty(list, "AutoWidth", kBoolean);
    AddProperty(list, "TextOnly", kBoolean);
    AddProperty(list, "Suppress", kBoolean);
    AddProperty(list, "HideZeros", kBoolean);
    AddProperty(list, "Underlines", kBoolean);
    AddProperty(list, "Lines.Count", kHidden);
    AddProperty(list, "DisplayFormat", kEditor);
    AddProperty(list, "Highlight", kEditor);
}

Variant MemoView::GetPropertyValue(std::string_view propertyName) const {
    const std::string n = UpperCase(propertyName);
    if (n == "FONT.NAME") return Variant::String(font.name);
    if (n == "FONT.SIZE") return Variant::Int32(font.size);
    if (n == "FONT.COLOR") return Variant::Int32(font.color);
    if (n == "FONT.STYLE") return Variant::Int32(font.style & 0x0F);
    if (n == "ALIGNMENT") return Variant::Int32(static_cast<int32_t>(alignment));
    if (n == "LINESPACING") return Variant::Int32(lineSpacing);
    if (n == "CHARSPACING") return Variant::Int32(charSpacing);
    if (n == "LINES.COUNT") return Variant::Int32(static_cast<int32_t>(memo.size()));
    for (const FlagProperty& flag : kMemoFlags) {
        if (n == flag.name) return Variant::Boolean(HasFlag(flag.bit));
    }
    return View::GetPropertyValue(propertyName);
}

void MemoView::SetPropertyValue(std::string_view propertyName, const Variant& value) {
    const std::string n = UpperCase(propertyName);
    if (n == "FONT.NAME") {
        font.name = value.ToText();
    } else if (n == "FONT.SIZE") {
        font.size = value.ToInt();
    } else if (n == "FONT.COLOR") {
        font.color = value.ToInt();
    } else if (n == "FONT.STYLE") {
        font.style = static_cast<uint16_t>(value.ToInt() & 0x0F);
    } else if (n == "ALIGNMENT") {
        alignment = static_cast<uint32_t>(value.ToInt());
    } else if (n == "LINESPACING") {
        lineSpacing = value.ToInt();
    } else if (n == "CHARSPACING") {
        charSpacing = value.ToInt();
    } else {
        for (const FlagProperty& flag : kMemoFlags) {
            if (n == flag.name) {
                SetFlag(flag.bit, value.ToBool());
                return;
            }
        }
        View::SetPropertyValue(propertyName, value);
    }
}

StringList* MemoView::MethodList(std::string_view listName) {
    if (SameText(listName, "LINES")) return &memo;
    return View::MethodList(listName);
}

void MemoView::ReadRecord(EngineStream& s, int version) {
    View::ReadRecord(s, version);
    font.name = ReadString(s, version);
    ReadI32(s, font.size);
    ReadU16(s, font.style);
    ReadI32(s, font.color);
    ReadU32(s, alignment);
    uint16_t charset = font.charset;
    ReadU16(s, charset);
    font.charset = version >= 23 ? static_cast<uint8_t>(charset & 0xFF) : DefaultCharset();
    if (!inPreparedPage) {
        ReadU16(s, highlight.fontStyle);
        ReadI32(s, highlight.fontColor);
        ReadI32(s, highlight.fillColor);
        highlight.condition = ReadString(s, version);
    }
    if (version >= 24) {
        ReadI32(s, lineSpacing);
        ReadI32(s, charSpacing);
    }
    if (version == 21) SetFlag(view_flag::kWordWrap, true);
}

void MemoView::WriteRecord(EngineStream& s) {
    View::WriteRecord(s);
    WriteString(s, font.name);
    WriteI32(s, font.size);
    WriteU16(s, font.style);
    WriteI32(s, font.color);
    WriteU32(s, alignment);
    WriteU16(s, font.charset);
    if (!inPreparedPage) {
        WriteU16(s, highlight.fontStyle);
        WriteI32(s, highlight.fontColor);
        WriteI32(s, highlight.fillColor);
        WriteString(s, highlight.condition);
    }
    WriteI32(s, lineSpacing);
    WriteI32(s, charSpacing);
}

}  // namespace report
