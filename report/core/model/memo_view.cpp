#include "report/core/model/memo_view.h"

#include <charconv>

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"

namespace report {
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

const FieldTable& MemoView::StoredFields() const {
    using namespace prop_type;
    using K = StoredFieldKind;
    static const FieldTable table = CommonFields().Adding({
        Listed("Font", kEditor),
        Stored("FONT.NAME", kHidden, "name", K::Text, NestedRef<&MemoView::font, &Font::name>)
            .InGroup("font"),
        Stored("FONT.SIZE", kHidden, "size", K::Integer, NestedRef<&MemoView::font, &Font::size>)
            .InGroup("font"),
        Stored("FONT.STYLE", kHidden, "style", K::Integer, NestedRef<&MemoView::font, &Font::style>)
            .Masked(0x0F)
            .InGroup("font"),
        Stored("FONT.COLOR", kHidden, "color", K::Color, NestedRef<&MemoView::font, &Font::color>)
            .InGroup("font"),
        Stored({}, 0, "charset", K::Integer, NestedRef<&MemoView::font, &Font::charset>)
            .InGroup("font"),
        Stored("Alignment", kInteger, "alignment", K::Integer, MemberRef<&MemoView::alignment>),
        Stored({}, 0, "fontStyle", K::Integer,
               NestedRef<&MemoView::highlight, &Highlight::fontStyle>)
            .InGroup("highlight")
            .OnlyInTemplates(),
        Stored({}, 0, "fontColor", K::Color, NestedRef<&MemoView::highlight, &Highlight::fontColor>)
            .InGroup("highlight")
            .OnlyInTemplates(),
        Stored({}, 0, "fillColor", K::Color, NestedRef<&MemoView::highlight, &Highlight::fillColor>)
            .InGroup("highlight")
            .OnlyInTemplates(),
        Stored({}, 0, "condition", K::Text, NestedRef<&MemoView::highlight, &Highlight::condition>)
            .InGroup("highlight")
            .OnlyInTemplates(),
        Stored("LineSpacing", kInteger | kPosition, "lineSpacing", K::Integer,
               MemberRef<&MemoView::lineSpacing>),
        Stored("CharSpacing", kInteger | kPosition, "charSpacing", K::Integer,
               MemberRef<&MemoView::charSpacing>),
        FlagProperty("WordWrap", view_flag::kWordWrap),
        FlagProperty("WordBreak", view_flag::kWordBreak),
        FlagProperty("AutoWidth", view_flag::kAutoWidth),
        FlagProperty("TextOnly", view_flag::kTextOnly),
        FlagProperty("Suppress", view_flag::kSuppress),
        FlagProperty("HideZeros", view_flag::kHideZeros),
        FlagProperty("Underlines", view_flag::kUnderlines),
        Computed("Lines.Count", kHidden,
                 [](const PropertyObject& o) {
                     return Variant::Int32(
                         static_cast<int32_t>(static_cast<const MemoView&>(o).memo.size()));
                 }),
        Listed("DisplayFormat", kEditor),
        Listed("Highlight", kEditor),
    });
    return table;
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
