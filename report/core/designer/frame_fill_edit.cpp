#include "report/core/designer/frame_fill_edit.h"

#include <cmath>
#include <string>

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/designer/design_document.h"
#include "report/core/model/band_view.h"
#include "report/core/model/line_view.h"

namespace report {

std::optional<FrameAndFill> SelectedFrameAndFill(const DesignDocument& document) {
    for (const View* view : document.SelectedViews()) {
        if (dynamic_cast<const BandView*>(view) != nullptr) continue;
        return FrameAndFill{view->frameTyp, view->frameWidth, view->frameStyle, view->frameColor,
                            view->fillColor};
    }
    return std::nullopt;
}

bool ApplyFrameAndFill(DesignDocument& document, const FrameAndFill& frame) {
    if (!std::isfinite(frame.width) || frame.width <= 0 || frame.width > kMaxFrameWidth)
        throw EngineError(FormatMessage(EngineText("designer.frame_width"),
                                        {std::to_string(static_cast<int>(kMaxFrameWidth))}));
    if (frame.style > static_cast<uint16_t>(FrameStyle::psDouble))
        throw EngineError(EngineText("designer.frame_style"));
    for (View* view : document.SelectedViews()) {
        if (dynamic_cast<const BandView*>(view) != nullptr) continue;
        view->frameWidth = frame.width;
        view->frameStyle = frame.style;
        view->frameColor = frame.frameColor;
        if (dynamic_cast<const LineView*>(view) != nullptr) continue;
        view->frameTyp = frame.sides & (frame_side::kLeft | frame_side::kTop | frame_side::kRight |
                                        frame_side::kBottom);
        view->fillColor = frame.fillColor;
    }
    return document.Commit();
}

}  // namespace report
