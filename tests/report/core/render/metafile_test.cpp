#include <gtest/gtest.h>

#include <string>

#include "report/core/render/metafile_player.h"
#include "tests/report/core/render/render_fixture.h"

namespace report::testing {
namespace {

void Put16(std::string& s, int32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
    Put16(s, static_cast<int32_t>(v & 0xFFFF));
    Put16(s, static_cast<int32_t>(v >> 16));
}
void Record(std::string& s, uint16_t function, std::initializer_list<int32_t> params) {
    Put32(s, static_cast<uint32_t>(3 + params.size()));
    Put16(s, function);
    for (int32_t p : params)
        Put16(s, p);
}

// A placeable metafile of bounds (0, 0, 100, 50) with the given records, then its end.
std::string Metafile(const std::function<void(std::string&)>& records) {
    std::string s;
    Put32(s, 0x9AC6CDD7);
    Put16(s, 0);
    for (int32_t v : {0, 0, 100, 50})
        Put16(s, v);
    Put16(s, 96);
    Put32(s, 0);
    Put16(s, 0);
    for (int32_t v : {1, 9, 0x300, 0, 0, 0, 0, 0, 0})
        Put16(s, v);
    records(s);
    Record(s, 0, {});
    return s;
}

// A 100 x 50 picture played into 200 x 100 gives `expected`, in order.
void ExpectPlayedDoubled(const std::string& data, RecordingCanvas& canvas,
                         const std::vector<std::string>& expected) {
    const MetafileSize size = MeasureMetafile(data);
    EXPECT_TRUE(size.valid);
    EXPECT_EQ(size.width, 100);
    EXPECT_EQ(size.height, 50);
    ASSERT_TRUE(PlayMetafile(data, IntRect{0, 0, 200, 100}, canvas));
    EXPECT_EQ(canvas.Drawings(), expected);
}

class MetafileTest : public RenderTest {};

TEST_F(MetafileTest, PlaysLinesAndRectanglesStretched) {
    const std::string data = Metafile([](std::string& s) {
        Record(s, 0x02FA, {0, 1, 0, 0x00FF, 0});  // red pen
        Record(s, 0x012D, {0});
        Record(s, 0x0214, {0, 0});     // MoveTo (0, 0)
        Record(s, 0x0213, {50, 100});  // LineTo (100, 50)
        Record(s, 0x041B, {40, 90, 10, 10});
    });
    ExpectPlayedDoubled(data, canvas,
                        {"line 0,0-200,100 0000FF w1 solid",
                         "rectangle (20,20,180,80) pen 0000FF w1 brush FFFFFF"});
}

TEST_F(MetafileTest, UnknownRecordsAndBrokenDataAreNotPlayed) {
    struct Case {
        const char* name;
        std::string data;
    } cases[] = {
        {"unknown record", Metafile([](std::string& s) {
             Record(s, 0x0418, {1, 2, 3, 4});
         })},
        {"truncated", Metafile([](std::string&) {}).substr(0, 30)},
        {"record longer than the data",
         Metafile([](std::string& s) { Put32(s, 1000), Put16(s, 0x0213); })},
        {"empty", ""},
        {"not a metafile", std::string(100, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        EXPECT_FALSE(PlayMetafile(c.data, IntRect{0, 0, 10, 10}, canvas));
        EXPECT_FALSE(CanPlayMetafile(c.data));
        EXPECT_TRUE(canvas.Drawings().empty());
    }
}

}  // namespace
}  // namespace report::testing

namespace report::testing {
namespace {

void EmfRecord(std::string& s, uint32_t type, std::initializer_list<uint32_t> values) {
    Put32(s, type);
    Put32(s, static_cast<uint32_t>(8 + 4 * values.size()));
    for (uint32_t v : values)
        Put32(s, v);
}

// An enhanced metafile whose bounds are (0, 0)-(99, 49) with the given records, then its end.
std::string Enhanced(const std::function<void(std::string&)>& records) {
    std::string s;
    std::vector<uint32_t> header(22, 0);
    header[0] = 0;   // bounds left
    header[1] = 0;   // bounds top
    header[2] = 99;  // bounds right, inclusive
    header[3] = 49;  // bounds bottom
    header[8] = 0x464D4520;
    Put32(s, 1);
    Put32(s, 8 + 4 * 22);
    for (uint32_t v : header)
        Put32(s, v);
    records(s);
    EmfRecord(s, 14, {0, 0, 20});
    return s;
}

class EnhancedMetafileTest : public RenderTest {};

TEST_F(EnhancedMetafileTest, PlaysLinesRectanglesAndStockPens) {
    const std::string data = Enhanced([](std::string& s) {
        EmfRecord(s, 38, {1, 0, 2, 0, 0x0000FF});  // red pen, 2 wide
        EmfRecord(s, 37, {1});
        EmfRecord(s, 27, {0, 0});
        EmfRecord(s, 54, {100, 50});
        EmfRecord(s, 37, {0x80000007});  // black pen
        EmfRecord(s, 43, {10, 10, 90, 40});
    });
    ExpectPlayedDoubled(data, canvas,
                        {"line 0,0-200,100 0000FF w2 solid",
                         "rectangle (20,20,180,80) pen 000000 w1 brush FFFFFF"});
}

// EXTCREATEFONTINDIRECTW of Arial, `height` logical units (negative: the character's), bold.
void FontRecord(std::string& s, uint32_t index, int32_t height) {
    EmfRecord(s, 82,
              {index, static_cast<uint32_t>(height), 0, 0, 0, 700, 0, 0,
               // "Arial" in UTF-16, then the rest of the 32 units
               0x00720041, 0x00610069, 0x0000006C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
               0, 0, 0, 0, 0, 0, 0});
}

// EXTTEXTOUTW of "Équipe" at (x, y).
void TextRecord(std::string& s, int32_t x, int32_t y) {
    EmfRecord(s, 84,
              {0, 0, 0, 0, 1, 0, 0, static_cast<uint32_t>(x), static_cast<uint32_t>(y), 6, 76, 0, 0,
               0, 0, 0, 0,
               // "Équipe" in UTF-16
               0x007100C9, 0x00690075, 0x00650070});
}

TEST_F(EnhancedMetafileTest, PlaysTextInItsFontColourAndAlignment) {
    struct Case {
        const char* name;
        uint32_t align;
        std::string expected;
    };
    // Played doubled: (10, 5) is (20, 10), the 20-unit font 40 pixels.
    const std::vector<Case> cases{
        {"top left", 0, "text 20,10 \"\xC9quipe\" clip(0,0,200,100)"},
        // the ascent is about 90 % of the character: 36 pixels
        {"baseline", 24, "text 20,-26 \"\xC9quipe\" clip(0,0,200,100)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        const std::string data = Enhanced([&c](std::string& s) {
            FontRecord(s, 1, -20);
            EmfRecord(s, 37, {1});
            EmfRecord(s, 24, {0x0000FF});
            EmfRecord(s, 22, {c.align});
            TextRecord(s, 10, 5);
        });
        EXPECT_TRUE(CanPlayMetafile(data));
        ASSERT_TRUE(PlayMetafile(data, IntRect{0, 0, 200, 100}, canvas));
        ASSERT_FALSE(canvas.Drawings().empty());
        EXPECT_EQ(canvas.Drawings().back(), c.expected);
        EXPECT_EQ(canvas.Font().name, "Arial");
        EXPECT_DOUBLE_EQ(canvas.Font().pixelHeight, 40);
        EXPECT_EQ(canvas.Font().style, 2);
        EXPECT_EQ(canvas.Font().color, 0x0000FF);
    }
}

TEST_F(EnhancedMetafileTest, ATextRecordCutShortDrawsNothing) {
    const std::string data = Enhanced([](std::string& s) {
        FontRecord(s, 1, -20);
        EmfRecord(s, 37, {1});
        // 500 characters announced, none there
        EmfRecord(s, 84, {0, 0, 0, 0, 1, 0, 0, 10, 5, 500, 76, 0, 0, 0, 0, 0, 0});
    });
    ASSERT_TRUE(PlayMetafile(data, IntRect{0, 0, 200, 100}, canvas));
    EXPECT_TRUE(canvas.Drawings().empty());
}

TEST_F(EnhancedMetafileTest, UnknownRecordsAndBrokenSizesAreNotPlayed) {
    struct Case {
        const char* name;
        std::string data;
    } cases[] = {
        {"a bitmap record", Enhanced([](std::string& s) {
             EmfRecord(s, 81, {0, 0, 0, 0});
         })},
        {"record size not a multiple of four",
         Enhanced([](std::string& s) { Put32(s, 54), Put32(s, 10); })},
        {"record running past the end",
         Enhanced([](std::string& s) { Put32(s, 54), Put32(s, 4000); })},
        {"no end record", Enhanced([](std::string&) {}).substr(0, 96)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        canvas.Clear();
        EXPECT_FALSE(PlayMetafile(c.data, IntRect{0, 0, 10, 10}, canvas));
        EXPECT_TRUE(canvas.Drawings().empty());
    }
}

}  // namespace
}  // namespace report::testing
