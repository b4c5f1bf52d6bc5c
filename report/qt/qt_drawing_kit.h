// What laying out and painting prepared pages with Qt's fonts needs, kept together so that a
// build, the preview, the print job and etat measure with the very fonts they paint with: a
// 96-dpi measuring canvas over QtFontMetrics, the store's measure of auto-width texts and the
// picture decoder. Not copyable: its parts point at each other.
#pragma once

#include "report/core/render/measuring_canvas.h"
#include "report/core/render/page_drawing.h"
#include "report/qt/qt_font_metrics.h"
#include "report/qt/qt_image_decoder.h"

namespace report {

struct QtDrawingKit {
    QtDrawingKit() = default;
    QtDrawingKit(const QtDrawingKit&) = delete;
    QtDrawingKit& operator=(const QtDrawingKit&) = delete;

    // `printing`: the canvas is the printer's own (see PageDrawOptions).
    PageDrawOptions Options(bool printing) { return {&measuring, &images, printing}; }

    QtFontMetrics metrics;
    MeasuringCanvas measuring{metrics};
    CanvasTextWidthMeasure widthMeasure{measuring};
    QtImageDecoder images;
};

}  // namespace report
