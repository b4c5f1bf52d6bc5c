#include "report/core/language/constants.h"

#include <cstdint>
#include <string>

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

}  // namespace

void AddStandardConstants(Variables& constants) {
    constants.SetSorted(true);
    static const Colour kColours[] = {
        {"clWhite", 0xFFFFFF},  {"clBlack", 0x000000},         {"clMaroon", 0x000080},
        {"clGreen", 0x008000},  {"clOlive", 0x008080},         {"clNavy", 0x800000},
        {"clPurple", 0x800080}, {"clTeal", 0x808000},          {"clGray", 0x808080},
        {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},           {"clLime", 0x00FF00},
        {"clYellow", 0x00FFFF}, {"clBlue", 0xFF0000},          {"clFuchsia", 0xFF00FF},
        {"clAqua", 0xFFFF00},   {"clTransparent", 0x1FFFFFFF},
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
    uint32_t system = 0x80000000u;
    for (const char* name : kSystemColours) {
        constants.Set(name, Variant::Int32(static_cast<int32_t>(system++)));
    }
    static const Small kSmall[] = {
        {"mrNone", 0},
        {"mrOk", 1},
        {"mrCancel", 2},
        {"mrYes", 6},
        {"mrNo", 7},
        {"fsBold", 2},
        {"fsItalic", 1},
        {"fsUnderline", 4},
        {"fsStrikeOut", 8},
        {"ftNone", 0},
        {"ftRight", 1},
        {"ftBottom", 2},
        {"ftLeft", 4},
        {"ftTop", 8},
        {"taLeft", 0},
        {"taRight", 1},
        {"taCenter", 2},
        {"taVertical", 4},
        {"taMiddle", 8},
        {"taDown", 16},
        {"baNone", 0},
        {"baLeft", 1},
        {"baRight", 2},
        {"baCenter", 3},
        {"baWidth", 4},
        {"baBottom", 5},
        {"baTop", 6},
        {"psSolid", 0},
        {"psDash", 1},
        {"psDot", 2},
        {"psDashDot", 3},
        {"psDashDotDot", 4},
        {"psDouble", 5},
        {"mb_Ok", 0},
        {"mb_OkCancel", 1},
        {"mb_YesNo", 4},
        {"mb_YesNoCancel", 3},
        {"mb_IconError", 16},
        {"mb_IconQuestion", 32},
        {"mb_IconInformation", 64},
        {"mb_IconWarning", 48},
    };
    for (const Small& s : kSmall)
        constants.Set(s.name, Variant::UInt8(s.value));
    constants.Set("CRLF", Variant::String("\r\n"));
    constants.Set("Null", Variant::Null());
}

}  // namespace report
