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
