#include <gtest/gtest.h>

#include "report/core/model/line_view.h"
#include "report/core/model/picture_view.h"
#include "report/core/render/object_painter.h"
#include "report/core/render/picture_painter.h"
#include "tests/report/core/render/render_fixture.h"

namespace report::testing {
namespace {

// Decodes every picture as an image of a fixed size.
class FixedSizeDecoder : public ImageDecoder {
  public:
    FixedSizeDecoder(int32_t width, int32_t height) : width_(width), height_(height) {}
    DecodedImage Decode(const Picture&) const override {
        DecodedImage image;
        image.width = width_;
        image.height = height_;
        image.pixels.assign(static_cast<size_t>(width_) * height_, 0xFF000000);
        return image;
    }

  private:
    int32_t width_, height_;
};

class PictureTest : public RenderTest {
  protected:
    FixedSizeDecoder wide{100, 50};
    FixedSizeDecoder tall{50, 100};

    static void Picture200(PictureView& view, uint16_t flags) {
        view.width = view.height = 200;
        view.flags = flags;
        view.picture.kind = GraphicKind::Bitmap;
        view.picture.data = "BM";
    }
};

TEST_F(PictureTest, Placements) {
    using namespace view_flag;
    struct Case {
        const char* name;
        uint16_t flags;
        std::string expected;
    } cases[] = {
        // 100 x 50 in 200 x 200: kx = 2, ky = 4, full width, 100 high
        {"stretched, keep aspect", kStretched | kKeepAspect, "image (0,0,201,100) from 100x50"},
        // moved down by half(201 - 100) = 50
        {"stretched, keep aspect, centred", kStretched | kKeepAspect | kCenter,
         "image (0,50,201,150) from 100x50"},
        {"stretched", kStretched, "image (0,0,201,201) from 100x50"},
        {"own size", 0, "image (0,0,100,50) from 100x50"},
        // (201 - 100) / 2 across, (201 - 50) / 2 down, truncated
        {"own size, centred", kCenter, "image (50,75,150,125) from 100x50"},
    };
    context.images = &wide;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        PictureView view;
        Picture200(view, c.flags);
        DrawObject(view, context);
        EXPECT_EQ(canvas.Drawings(), std::vector<std::string>{c.expected});
    }
}

TEST_F(PictureTest, KeepAspectOfATallPictureKeepsTheHeight) {
    context.images = &tall;
    PictureView view;
    Picture200(view, view_flag::kStretched | view_flag::kKeepAspect);
    DrawObject(view, context);
    EXPECT_EQ(canvas.Drawings(), std::vector<std::string>{"image (0,0,100,201) from 50x100"});
}

// A placeable metafile of 1 x 0.5 inch at 1,440 units per inch holding a diagonal line and a
// rectangle over its whole extent.
std::string InchMetafile() {
    std::string s;
    auto put16 = [&s](int32_t v) {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>((v >> 8) & 0xFF);
    };
    auto put32 = [&](uint32_t v) {
        put16(static_cast<int32_t>(v & 0xFFFF));
        put16(static_cast<int32_t>(v >> 16));
    };
    auto record = [&](uint16_t function, std::initializer_list<int32_t> params) {
        put32(static_cast<uint32_t>(3 + params.size()));
        put16(function);
        for (int32_t p : params)
            put16(p);
    };
    put32(0x9AC6CDD7);
    put16(0);
    for (int32_t v : {0, 0, 1440, 720})
        put16(v);
    put16(1440);  // units per inch
    put32(0);
    put16(0);
    for (int32_t v : {1, 9, 0x300, 0, 0, 0, 0, 0, 0})
        put16(v);
    record(0x0214, {0, 0});       // MoveTo (0, 0)
    record(0x0213, {720, 1440});  // LineTo (1440, 720)
    record(0x041B, {720, 1440, 0, 0});
    record(0, {});
    return s;
}

TEST_F(PictureTest, APlaceablePictureTakesItsSizeInPixelsAndStaysInItsObject) {
    PictureView view;
    view.width = 50;
    view.height = 20;
    view.picture.kind = GraphicKind::Metafile;
    view.picture.data = InchMetafile();
    struct Case {
        const char* name;
        uint16_t flags;
        std::vector<std::string> expected;
    } cases[] = {
        // one inch is 96 pixels: the line runs to (96, 48), cut at the object's edge (51, 21)
        {"own size",
         0,
         {"line 0,0-42,21 000000 w1 solid", "fill (0,0,51,21) FFFFFF",
          "line 0,0-51,0 000000 w1 solid", "line 0,21-0,0 000000 w1 solid"}},
        {"stretched",
         view_flag::kStretched,
         {"line 0,0-51,21 000000 w1 solid", "rectangle (0,0,51,21) pen 000000 w1 brush FFFFFF"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        view.flags = c.flags;
        DrawObject(view, context);
        EXPECT_EQ(canvas.Drawings(), c.expected);
    }
}

TEST_F(PictureTest, UndecodablePictureIsAGreyBox) {
    PictureView view;
    Picture200(view, view_flag::kStretched);
    DrawObject(view, context);
    EXPECT_EQ(canvas.Drawings(), std::vector<std::string>{"fill (0,0,201,201) C0C0C0"});
}

TEST_F(PictureTest, UnplayableMetafileIsAGreyBoxThatSaysSo) {
    PictureView view;
    Picture200(view, view_flag::kStretched);
    view.picture.kind = GraphicKind::Metafile;
    view.picture.data = std::string(200, '\x01');
    DrawObject(view, context);
    EXPECT_EQ(canvas.Drawings(),
              std::vector<std::string>({"fill (0,0,201,201) C0C0C0",
                                        "text 4,4 \"Dessin non affich\xE9\" clip(0,0,201,201)"}));
}

TEST_F(PictureTest, EmptyPicturePaintsNothingWhilePrintingAndASignWhileDesigning) {
    PictureView view;
    view.width = view.height = 50;
    DrawObject(view, context);
    EXPECT_TRUE(canvas.Drawings().empty());
    context.mode = DocumentMode::Designing;
    DrawObject(view, context);
    EXPECT_EQ(canvas.Texts(), std::vector<std::string>{"[Image]"});
}

TEST_F(PictureTest, LinesBecomeOneFrameSide) {
    struct Case {
        const char* name;
        int32_t width, height;
        int32_t normalisedWidth, normalisedHeight;
        uint16_t frameTyp;
        std::string expected;
    } cases[] = {
        {"as high as wide: vertical", 50, 50, 0, 50, frame_side::kLeft,
         "line 10,20-10,70 000000 w1 solid"},
        {"lower than wide: horizontal", 80, 10, 80, 0, frame_side::kTop,
         "line 10,20-90,20 000000 w1 solid"},
        {"higher than wide: vertical", 3, 40, 0, 40, frame_side::kLeft,
         "line 10,20-10,60 000000 w1 solid"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        LineView line;
        line.left = 10;
        line.top = 20;
        line.width = c.width;
        line.height = c.height;
        DrawObject(line, context);
        EXPECT_EQ(line.width, c.normalisedWidth);
        EXPECT_EQ(line.height, c.normalisedHeight);
        EXPECT_EQ(line.frameTyp, c.frameTyp);
        EXPECT_EQ(canvas.Drawings(), std::vector<std::string>{c.expected});
    }
}

}  // namespace
}  // namespace report::testing
