// What drawing one object holds for a while: the canvas, the mode, the scales and offsets that
// map design pixels to output pixels, and the geometry of the object being drawn. Painters read
// and write only this; the stored object keeps its own geometry.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "report/core/model/model_state.h"
#include "report/core/model/view.h"
#include "report/core/render/canvas.h"
#include "report/core/render/image_decoder.h"

namespace report {

class Page;

// An object's position, size, frame width and gaps: design pixels before BeginDraw, output
// pixels between BeginDraw and EndDraw.
struct ObjectGeometry {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    double frameWidth = 1.0;
    int32_t gapX = 0;
    int32_t gapY = 0;

    static ObjectGeometry Of(const View& view);
    friend bool operator==(const ObjectGeometry&, const ObjectGeometry&) = default;
};

struct DrawingContext {
    Canvas* canvas = nullptr;  // where painting goes
    // Where text is laid out: a 96 dpi canvas measuring in design pixels. Null: `canvas`.
    Canvas* measuringCanvas = nullptr;
    const ImageDecoder* images = nullptr;  // null: pictures other than metafiles are grey boxes

    DocumentMode mode = DocumentMode::Printing;
    bool firstPass = false;  // first pass of a two-pass report: nothing is painted
    // Printable area of the current page, design pixels; none: BandAlign does nothing.
    std::optional<IntRect> printableArea;
    // The page whose bands BandAlign looks at in designing mode; may be null.
    const Page* designPage = nullptr;
    bool bandBeingOutput = false;  // a band is being output while building
    bool exportMode = false;       // text goes to the export hook, no background nor frame
    std::function<void(const TextOutput&)> exportHook;  // may be empty: exported text is lost

    // Set by the caller for each object: output = round(design x scale) + offset.
    double scaleX = 1.0;
    double scaleY = 1.0;
    int32_t drawOffsetX = 0;  // output pixels
    int32_t drawOffsetY = 0;
    bool printerCanvasMode = false;  // drawing straight onto the printer's canvas

    // The object being drawn. `unscaled` is the geometry BeginDraw started from, `geometry` the
    // scaled one; `drawRect` (output pixels, right and bottom excluded) the inside of the frame.
    ObjectGeometry unscaled;
    ObjectGeometry geometry;
    IntRect drawRect;

    Canvas& Measuring() { return measuringCanvas != nullptr ? *measuringCanvas : *canvas; }
    bool Printing() const { return mode == DocumentMode::Printing; }
    // round((x0 + w0) x ScaleX + DrawOffsetX) and its vertical counterpart: the unshrunk right
    // and bottom edges that fills and frames use.
    int32_t OuterRight() const;
    int32_t OuterBottom() const;
};

// What BeginDraw keeps for EndDraw.
struct SavedDrawState {
    ObjectGeometry geometry;
    ObjectGeometry unscaled;
    IntRect drawRect;
};

// Keeps the geometry it finds in the context and replaces it by the scaled one, with DrawRect
// inset for `frameTyp`'s sides. In designing mode the scales become 1 and the offsets 0 first.
SavedDrawState BeginDraw(DrawingContext& context, uint16_t frameTyp);
// Puts the kept geometry back.
void EndDraw(DrawingContext& context, const SavedDrawState& saved);

// BeginDraw on construction, EndDraw on destruction.
class DrawScope {
  public:
    DrawScope(DrawingContext& context, uint16_t frameTyp)
        : context_(context), saved_(BeginDraw(context, frameTyp)) {}
    ~DrawScope() { EndDraw(context_, saved_); }
    DrawScope(const DrawScope&) = delete;
    DrawScope& operator=(const DrawScope&) = delete;

  private:
    DrawingContext& context_;
    SavedDrawState saved_;
};

// Sets the scales of `context` to 1.0 for its lifetime and restores them afterwards.
class UnitScale {
  public:
    explicit UnitScale(DrawingContext& context);
    ~UnitScale();
    UnitScale(const UnitScale&) = delete;
    UnitScale& operator=(const UnitScale&) = delete;

  private:
    DrawingContext& context_;
    double scaleX_;
    double scaleY_;
};

}  // namespace report
