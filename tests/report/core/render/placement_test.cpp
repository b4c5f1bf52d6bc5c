#include <gtest/gtest.h>

#include "report/core/model/band_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/core/render/band_placement.h"
#include "tests/report/core/render/render_fixture.h"

namespace report::testing {
namespace {

class PlacementTest : public RenderTest {};

TEST_F(PlacementTest, BandAlignWhilePrinting) {
    struct Case {
        const char* name;
        BandAlign align;
        bool bandBeingOutput;
        int32_t left, top, width;
    } cases[] = {
        {"none", BandAlign::baNone, false, 33, 40, 50},
        {"left", BandAlign::baLeft, false, 10, 40, 50},
        {"right", BandAlign::baRight, false, 160, 40, 50},
        {"centre: 10 + half(200 - 50)", BandAlign::baCenter, false, 85, 40, 50},
        {"centre, odd rest: 10 + half(200 - 51)", BandAlign::baCenter, false, 84, 40, 51},
        {"width, no band being output", BandAlign::baWidth, false, 10, 40, 199},
        {"width while a band is output", BandAlign::baWidth, true, 33, 40, 50},
        {"bottom is the builder's", BandAlign::baBottom, false, 33, 40, 50},
        {"top is the builder's", BandAlign::baTop, false, 33, 40, 50},
    };
    context.printableArea = IntRect{10, 0, 210, 300};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoView memo;
        Place(memo, 33, 40, c.width == 51 ? 51 : 50, 20);
        memo.bandAlign = static_cast<uint8_t>(c.align);
        context.bandBeingOutput = c.bandBeingOutput;
        PlaceInBand(memo, context);
        EXPECT_EQ(memo.left, c.left);
        EXPECT_EQ(memo.top, c.top);
        EXPECT_EQ(memo.width, c.width);
    }
}

TEST_F(PlacementTest, NoCurrentPageNoAlignment) {
    MemoView memo;
    Place(memo, 33, 40, 50, 20);
    memo.bandAlign = static_cast<uint8_t>(BandAlign::baRight);
    PlaceInBand(memo, context);
    EXPECT_EQ(memo.left, 33);
}

}  // namespace
}  // namespace report::testing

namespace report::testing {
namespace {

class DesignPlacementTest : public RenderTest {
  protected:
    void SetUp() override {
        context.mode = DocumentMode::Designing;
        context.printableArea = IntRect{10, 0, 210, 300};
    }
    // A page whose bands are given as (type, left, top, width, height).
    struct BandSpec {
        BandType type;
        int32_t left, top, width, height;
    };
    std::unique_ptr<Page> PageWith(std::initializer_list<BandSpec> bands) {
        auto page = std::make_unique<Page>(state, nullptr);
        for (const BandSpec& wanted : bands) {
            auto band = std::make_unique<BandView>();
            band->SetBandType(wanted.type);
            Place(*band, wanted.left, wanted.top, wanted.width, wanted.height);
            page->Add(std::move(band));
        }
        return page;
    }
    ModelState state;
};

TEST_F(DesignPlacementTest, BandsDecideWidthTopAndBottom) {
    struct Case {
        const char* name;
        BandAlign align;
        int32_t left, top;  // of the object
        int32_t expectedLeft, expectedTop, expectedWidth;
    } cases[] = {
        {"width inside a cross band takes the band's", BandAlign::baWidth, 60, 10, 50, 10, 30},
        {"width inside a plain band: printable width", BandAlign::baWidth, 10, 110, 10, 110, 200},
        {"bottom: band top + height - height", BandAlign::baBottom, 10, 110, 10, 160, 50},
        {"top: band top", BandAlign::baTop, 10, 110, 10, 100, 50},
        {"top outside every band: nothing", BandAlign::baTop, 10, 290, 10, 290, 50},
        // the corner on the band's edge counts, and the later band wins
        {"edge included, last band wins", BandAlign::baTop, 10, 180, 10, 180, 50},
    };
    auto page = PageWith({{BandType::CrossData, 50, 0, 30, 60},
                          {BandType::MasterData, 0, 100, 300, 80},
                          {BandType::PageFooter, 0, 180, 300, 20}});
    context.designPage = page.get();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoView memo;
        Place(memo, c.left, c.top, 50, 20);
        memo.bandAlign = static_cast<uint8_t>(c.align);
        PlaceInBand(memo, context);
        EXPECT_EQ(memo.left, c.expectedLeft);
        EXPECT_EQ(memo.top, c.expectedTop);
        EXPECT_EQ(memo.width, c.expectedWidth);
    }
}

}  // namespace
}  // namespace report::testing
