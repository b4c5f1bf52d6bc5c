// The text object: a memo of literal text and bracketed expressions, drawn in one font.
#pragma once

#include "report/core/model/view.h"

namespace report {

// Font style bits, as stored in templates and in the script property "FONT.STYLE".
namespace font_style {
inline constexpr uint16_t kItalic = 1;
inline constexpr uint16_t kBold = 2;
inline constexpr uint16_t kUnderline = 4;
inline constexpr uint16_t kStrikeOut = 8;
}  // namespace font_style

struct Font {
    std::string name = "Arial";
    int32_t size = 10;    // points
    uint16_t style = 0;   // font_style bits
    int32_t color = 0;    // black
    uint8_t charset = 1;  // the engine's default character set
    friend bool operator==(const Font&, const Font&) = default;
};

// Alignment bits: 0-1 horizontal, bit 2 rotated by 90 degrees, bits 3-4 vertical.
namespace text_align {
inline constexpr uint32_t kLeft = 0;
inline constexpr uint32_t kRight = 1;
inline constexpr uint32_t kCenter = 2;
inline constexpr uint32_t kJustify = 3;
inline constexpr uint32_t kHorizontalMask = 3;
inline constexpr uint32_t kRotated = 4;
inline constexpr uint32_t kTop = 0;
inline constexpr uint32_t kMiddle = 8;
inline constexpr uint32_t kBottom = 16;
inline constexpr uint32_t kVerticalMask = 24;
}  // namespace text_align

// The engine's default character set (engine text 55337).
uint8_t DefaultCharset();

class MemoView : public Stretchable {
  public:
    MemoView();
    std::string ClassName() const override { return "MemoView"; }

    Font font;
    std::string lastPrintedText;  // for Suppress
    bool preBroken = false;       // the expanded memo is already wrapped (0x01 line ends)
    bool partial = false;         // draw only the lines that fit
    int32_t lineHeight = 0;       // design pixels, computed
    int32_t currentLine = 0;
    bool exportMode = false;
    uint32_t alignment = 0;
    struct Highlight {
        uint16_t fontStyle = font_style::kBold;
        int32_t fontColor = 0;
        int32_t fillColor = 0xFFFFFF;
        std::string condition;  // expression; applies when non-empty and not 0
        friend bool operator==(const Highlight&, const Highlight&) = default;
    } highlight;
    int32_t lineSpacing = 2;  // design pixels between lines
    int32_t charSpacing = 0;  // design pixels between characters

    Variant GetPropertyValue(std::string_view name) const override;
    void SetPropertyValue(std::string_view name, const Variant& value) override;

    void ReadRecord(EngineStream& s, int version) override;
    void WriteRecord(EngineStream& s) override;

  protected:
    void RegisterProperties(std::vector<PropertyInfo>& list) const override;
    StringList* MethodList(std::string_view listName) override;
};

}  // namespace report
