#include "report/core/language/constants.h"

#include <cstdint>
#include <string>

#include "report/core/base/dialogs.h"
#include "report/core/base/drawing_codes.h"

namespace report {

namespace {

struct Colour {
    const char* name;
    uint32_t value;
};

struct Small {
    const char* name;
    uint8_t value;
};

template <typename Enum>
constexpr uint8_t Code(Enum value) {
    return static_cast<uint8_t>(value);
}

}  // namespace

void AddStandardConstants(Variables& constants) {
    constants.SetSorted(true);
    static const Colour kColours[] = {
        {"clWhite", 0xFFFFFF},  {"clBlack", 0x000000},       {"clMaroon", 0x000080},
        {"clGreen", 0x008000},  {"clOlive", 0x008080},       {"clNavy", 0x800000},
        {"clPurple", 0x800080}, {"clTeal", 0x808000},        {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},         {"clLime", 0x00FF00},
        {"clYellow", 0x00FFFF}, {"clBlue", 0xFF0000},        {"clFuchsia", 0xFF00FF},
        {"clAqua", 0xFFFF00},   {"clTransparent", kNoColor},
    };
    for (const Colour& c : kColours) {
        constants.Set(c.name, Variant::Int32(static_cast<int32_t>(c.value)));
    }
    static const char* const kSystemColours[] = {
        "clScrollBar",    "clBackground",  "clActiveCaption", "clInactiveCaption",
        "clMenu",         "clWindow",      "clWindowFrame",   "clMenuText",
        "clWindowText",   "clCaptionText", "clActiveBorder",  "clInactiveBorder",
        "clAppWorkSpace", "clHighlight",   "clHighlightText", "clBtnFace",
        "clBtnShadow",    "clGrayText",    "clBtnText",       "clInactiveCaptionText",
        "clBtnHighlight", "cl3DDkShadow",  "cl3DLight",       "clInfoText",
        "clInfoBk",
    };
    uint32_t system = kSystemColor;
    for (const char* name : kSystemColours) {
        constants.Set(name, Variant::Int32(static_cast<int32_t>(system++)));
    }
    static const Small kSmall[] = {
        {"mrNone", mr::kNone},
        {"mrOk", mr::kOk},
        {"mrCancel", mr::kCancel},
        {"mrYes", mr::kYes},
        {"mrNo", mr::kNo},
        {"fsBold", font_style::kBold},
        {"fsItalic", font_style::kItalic},
        {"fsUnderline", font_style::kUnderline},
        {"fsStrikeOut", font_style::kStrikeOut},
        {"ftNone", frame_side::kNone},
        {"ftRight", frame_side::kRight},
        {"ftBottom", frame_side::kBottom},
        {"ftLeft", frame_side::kLeft},
        {"ftTop", frame_side::kTop},
        {"taLeft", text_align::kLeft},
        {"taRight", text_align::kRight},
        {"taCenter", text_align::kCenter},
        {"taVertical", text_align::kRotated},
        {"taMiddle", text_align::kMiddle},
        {"taDown", text_align::kBottom},
        {"baNone", Code(BandAlign::baNone)},
        {"baLeft", Code(BandAlign::baLeft)},
        {"baRight", Code(BandAlign::baRight)},
        {"baCenter", Code(BandAlign::baCenter)},
        {"baWidth", Code(BandAlign::baWidth)},
        {"baBottom", Code(BandAlign::baBottom)},
        {"baTop", Code(BandAlign::baTop)},
        {"psSolid", Code(FrameStyle::psSolid)},
        {"psDash", Code(FrameStyle::psDash)},
        {"psDot", Code(FrameStyle::psDot)},
        {"psDashDot", Code(FrameStyle::psDashDot)},
        {"psDashDotDot", Code(FrameStyle::psDashDotDot)},
        {"psDouble", Code(FrameStyle::psDouble)},
        {"mb_Ok", mb::kOk},
        {"mb_OkCancel", mb::kOkCancel},
        {"mb_YesNo", mb::kYesNo},
        {"mb_YesNoCancel", mb::kYesNoCancel},
        {"mb_IconError", mb::kIconError},
        {"mb_IconQuestion", mb::kIconQuestion},
        {"mb_IconInformation", mb::kIconInformation},
        {"mb_IconWarning", mb::kIconWarning},
    };
    for (const Small& s : kSmall)
        constants.Set(s.name, Variant::UInt8(s.value));
    constants.Set("CRLF", Variant::String("\r\n"));
    constants.Set("Null", Variant::Null());
}

}  // namespace report
