// A recording canvas with ten pixels per character and a drawing context around it.
#pragma once

#include <gtest/gtest.h>

#include "report/core/model/memo_view.h"
#include "report/core/render/drawing_context.h"
#include "report/core/render/font_metrics.h"
#include "report/core/render/recording_canvas.h"

namespace report::testing {

class RenderTest : public ::testing::Test {
  protected:
    RenderTest() : canvas(metrics) { context.canvas = &canvas; }

    // Puts an object at (left, top, width, height); text objects are Arial 10 (13 pixels high,
    // pitch 15).
    static void Place(View& view, int32_t left, int32_t top, int32_t width, int32_t height) {
        view.left = left;
        view.top = top;
        view.width = width;
        view.height = height;
    }

    FixedAdvanceMetrics metrics{10};
    RecordingCanvas canvas;
    DrawingContext context;
};

}  // namespace report::testing
