// The text object: a memo of literal text and bracketed expressions, drawn in one font.
#pragma once

#include "report/core/base/drawing_codes.h"
#include "report/core/model/view.h"

namespace report {

struct Font {
    std::string name = "Arial";
    int32_t size = 10;    // points
    uint16_t style = 0;   // font_style bits
    int32_t color = 0;    // black
    uint8_t charset = 1;  // the engine's default character set
    friend bool operator==(const Font&, const Font&) = default;
};

// The engine's default character set (engine text 55337).
uint8_t DefaultCharset();

class MemoView : public Stretchable {
  public:
    MemoView();
    std::string ClassName() const override { return "MemoView"; }

    // ---- stored (StoredFields) ----
    Font font;
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

    // ---- drawing and building state, not stored ----
    std::string lastPrintedText;  // for Suppress
    bool preBroken = false;       // the expanded memo is already wrapped (0x01 line ends)
    bool partial = false;         // draw only the lines that fit
    int32_t lineHeight = 0;       // design pixels, computed
    int32_t currentLine = 0;
    bool exportMode = false;

    const FieldTable& StoredFields() const override;

    void ReadRecord(EngineStream& s, int version) override;
    void WriteRecord(EngineStream& s) override;

  protected:
    StringList* MethodList(std::string_view listName) override;
};

}  // namespace report
