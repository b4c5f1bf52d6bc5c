#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "report/core/base/errors.h"
#include "report/core/data/dataset.h"
#include "report/core/model/band_view.h"
#include "report/core/model/line_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/core/model/picture_view.h"
#include "report/core/model/report.h"
#include "report/core/model/subreport_view.h"
#include "report/core/value/variables.h"

namespace report {
namespace {

class ModelTest : public ::testing::Test {
  protected:
    ModelTest() { state.printer.Start(nullptr); }

    template <typename T>
    T& AddView(Page& page, int type) {
        return static_cast<T&>(page.Add(state.factory.CreateViewByType(type)));
    }

    ModelState state;
};

TEST_F(ModelTest, NewObjectsHaveTheirClassDefaults) {
    MemoView memo;
    EXPECT_EQ(memo.flags, 67);
    EXPECT_EQ(memo.font, Font{});
    EXPECT_EQ(memo.font.name, "Arial");
    EXPECT_EQ(memo.font.size, 10);
    EXPECT_EQ(memo.font.charset, 1);
    EXPECT_EQ(memo.gapX, 2);
    EXPECT_EQ(memo.gapY, 1);
    EXPECT_EQ(memo.frameWidth, 1.0f);
    EXPECT_EQ(memo.fillColor, 0x1FFFFFFF);
    EXPECT_EQ(memo.lineSpacing, 2);
    EXPECT_EQ(memo.charSpacing, 0);
    EXPECT_TRUE(memo.IsVisible());
    EXPECT_EQ(memo.formatCode, 0x22C);  // text, 2 decimals, ','
    EXPECT_EQ(memo.highlight.fontStyle, 2);
    EXPECT_EQ(memo.highlight.fillColor, 0xFFFFFF);
    EXPECT_EQ(memo.namePrefix, "Memo");

    BandView band;
    EXPECT_EQ(band.flags, 48);
    EXPECT_EQ(band.formatCode, 0);
    EXPECT_EQ(band.columns, 1);
    EXPECT_EQ(band.columnWidth, 200);
    EXPECT_EQ(band.columnGap, 20);
    EXPECT_EQ(band.newColumnAfter, 1);
    PictureView picture;
    EXPECT_EQ(picture.flags, 5);
    LineView line;
    EXPECT_EQ(line.flags, 1);
    EXPECT_EQ(line.frameTyp, 4);
    SubReportView subReport;
    EXPECT_EQ(subReport.flags, 1);
    EXPECT_EQ(subReport.namePrefix, "SubReport");
}

TEST_F(ModelTest, FactoryNumbersObjectsAndKnowsNoAddIns) {
    const uint32_t first = state.factory.NextObjectId();
    struct Case {
        int type;
        uint8_t objectType;
        const char* className;
    } cases[] = {{0, 0, "MemoView"},
                 {1, 1, "PictureView"},
                 {2, 2, "BandView"},
                 {3, 3, "SubReportView"},
                 {4, 4, "LineView"}};
    uint32_t expectedId = first;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        auto view = state.factory.CreateViewByType(c.type);
        ASSERT_TRUE(view);
        EXPECT_EQ(view->objectType, c.objectType);
        EXPECT_EQ(view->ClassName(), c.className);
        EXPECT_EQ(view->objectId, expectedId++);
    }
    for (int type : {5, 9, 10, 11, 255}) {
        SCOPED_TRACE(type);
        EXPECT_FALSE(state.factory.CreateViewByType(type, "MemoView"));
    }
    EXPECT_EQ(state.factory.NextObjectId(), expectedId);
}

TEST_F(ModelTest, PictureObjectsEnterTheirConstants) {
    Variables constants;
    state.factory.SetConstants(&constants);
    state.factory.CreateViewByType(object_type::kPicture);
    EXPECT_EQ(constants.Count(), 4);
    EXPECT_EQ(constants.Get("BTWMF").ToInt(), 3);
    EXPECT_EQ(constants.Get("btjpg").ToInt(), 1);
}

TEST_F(ModelTest, PropertiesByNameIgnoreCase) {
    MemoView memo;
    for (const char* name : {"Stretched", "STRETCHED", "stretched"}) {
        SCOPED_TRACE(name);
        memo.flags = 67;
        memo.SetPropertyValue(name, Variant::Boolean(false));
        EXPECT_EQ(memo.flags, 66);
        EXPECT_FALSE(memo.GetPropertyValue(name).ToBool());
        EXPECT_TRUE(memo.HasProperty(name));
    }
    struct FlagCase {
        const char* name;
        uint16_t bit;
    } flags[] = {{"WordWrap", 2},  {"wordbreak", 4},  {"AutoWidth", 8},   {"TextOnly", 16},
                 {"Suppress", 32}, {"HideZeros", 64}, {"Underlines", 128}};
    for (const FlagCase& f : flags) {
        SCOPED_TRACE(f.name);
        memo.flags = 0x8001;
        memo.SetPropertyValue(f.name, Variant::Boolean(true));
        EXPECT_EQ(memo.flags, 0x8001 | f.bit);
        memo.SetPropertyValue(f.name, Variant::Boolean(false));
        EXPECT_EQ(memo.flags, 0x8001);
    }
    BandView band;
    struct BandFlag {
        const char* name;
        uint16_t bit;
    } bandFlags[] = {{"FormNewPage", 2},
                     {"PrintIfSubsetEmpty", 4},
                     {"Breaked", 8},
                     {"OnFirstPage", 16},
                     {"OnLastPage", 32},
                     {"RepeatHeader", 64},
                     {"PrintChildIfInvisible", 128}};
    for (const BandFlag& f : bandFlags) {
        SCOPED_TRACE(f.name);
        band.flags = 0;
        band.SetPropertyValue(f.name, Variant::Boolean(true));
        EXPECT_EQ(band.flags, f.bit);
    }
    PictureView picture;
    picture.flags = 0;
    picture.SetPropertyValue("center", Variant::Boolean(true));
    picture.SetPropertyValue("KeepAspect", Variant::Boolean(true));
    EXPECT_EQ(picture.flags, 6);

    EXPECT_FALSE(memo.HasProperty("NoSuchThing"));
    EXPECT_TRUE(memo.GetPropertyValue("NoSuchThing").IsEmpty());
    memo.SetPropertyValue("NoSuchThing", Variant::Int32(1));  // ignored
}

TEST_F(ModelTest, FontStyleAndCommonProperties) {
    MemoView memo;
    memo.SetPropertyValue("FONT.STYLE", Variant::Int32(3));
    EXPECT_EQ(memo.font.style, font_style::kBold | font_style::kItalic);
    EXPECT_EQ(memo.GetPropertyValue("font.style").ToInt(), 3);
    memo.font.style = font_style::kBold;
    EXPECT_EQ(memo.GetPropertyValue("FONT.STYLE").ToInt(), 2);
    memo.SetPropertyValue("Font.Name", Variant::String("Courier New"));
    memo.SetPropertyValue("FONT.SIZE", Variant::Int32(12));
    memo.SetPropertyValue("FONT.COLOR", Variant::Int32(255));
    EXPECT_EQ(memo.font.name, "Courier New");
    EXPECT_EQ(memo.font.size, 12);
    EXPECT_EQ(memo.font.color, 255);

    EXPECT_EQ(memo.GetPropertyValue("DataField").ToText(), "");
    memo.SetPropertyValue("Memo", Variant::String("one\r\ntwo\nthree"));
    EXPECT_EQ(memo.memo, (StringList{"one", "two", "three"}));
    EXPECT_EQ(memo.GetPropertyValue("memo.count").ToInt(), 3);
    EXPECT_EQ(memo.GetPropertyValue("Lines.Count").ToInt(), 3);
    EXPECT_EQ(memo.GetPropertyValue("DATAFIELD").ToText(), "one");
    EXPECT_EQ(memo.GetPropertyValue("Memo").ToText(), "one\r\ntwo\r\nthree");
    memo.SetPropertyValue("DataField", Variant::String("[Field]"));
    EXPECT_EQ(memo.memo, StringList{"[Field]"});

    memo.SetPropertyValue("Visible", Variant::Boolean(false));
    EXPECT_EQ(memo.visible, 0);
    memo.SetPropertyValue("FrameWidth", Variant::Double(2.5));
    EXPECT_EQ(memo.frameWidth, 2.5f);
    memo.SetPropertyValue("Left", Variant::Int32(17));
    EXPECT_EQ(memo.GetPropertyValue("LEFT").ToInt(), 17);
}

// Each by-name property reaches its own field: set by name, seen in the field, read back.
TEST_F(ModelTest, PropertiesReachTheirFields) {
    struct Case {
        const char* name;
        Variant value;
        std::function<Variant(const View&)> field;
    };
    const auto memoOf = [](const View& view) -> const MemoView& {
        return static_cast<const MemoView&>(view);
    };
    const auto bandOf = [](const View& view) -> const BandView& {
        return static_cast<const BandView&>(view);
    };
    const Case memoCases[] = {
        {"Name", Variant::String("Titre"), [](const View& v) { return Variant::String(v.name); }},
        {"Left", Variant::Int32(11), [](const View& v) { return Variant::Int32(v.left); }},
        {"Top", Variant::Int32(12), [](const View& v) { return Variant::Int32(v.top); }},
        {"Width", Variant::Int32(13), [](const View& v) { return Variant::Int32(v.width); }},
        {"Height", Variant::Int32(14), [](const View& v) { return Variant::Int32(v.height); }},
        {"FrameTyp", Variant::Int32(9), [](const View& v) { return Variant::Int32(v.frameTyp); }},
        {"FrameColor", Variant::Int32(0xFF),
         [](const View& v) { return Variant::Int32(v.frameColor); }},
        {"FrameStyle", Variant::Int32(3),
         [](const View& v) { return Variant::Int32(v.frameStyle); }},
        {"FillColor", Variant::Int32(0xFF00),
         [](const View& v) { return Variant::Int32(v.fillColor); }},
        {"GapX", Variant::Int32(5), [](const View& v) { return Variant::Int32(v.gapX); }},
        {"GapY", Variant::Int32(6), [](const View& v) { return Variant::Int32(v.gapY); }},
        {"BandAlign", Variant::Int32(4), [](const View& v) { return Variant::Int32(v.bandAlign); }},
        {"Tag", Variant::String("[Num]"), [](const View& v) { return Variant::String(v.tag); }},
        {"Restrictions", Variant::Int32(96),
         [](const View& v) { return Variant::Int32(v.restrictions); }},
        {"Alignment", Variant::Int32(10),
         [&](const View& v) { return Variant::Int32(static_cast<int32_t>(memoOf(v).alignment)); }},
        {"LineSpacing", Variant::Int32(7),
         [&](const View& v) { return Variant::Int32(memoOf(v).lineSpacing); }},
        {"CharSpacing", Variant::Int32(3),
         [&](const View& v) { return Variant::Int32(memoOf(v).charSpacing); }},
        {"Font.Size", Variant::Int32(14),
         [&](const View& v) { return Variant::Int32(memoOf(v).font.size); }},
        {"Font.Color", Variant::Int32(0xFF0000),
         [&](const View& v) { return Variant::Int32(memoOf(v).font.color); }},
    };
    MemoView memo;
    for (const Case& c : memoCases) {
        SCOPED_TRACE(c.name);
        memo.SetPropertyValue(c.name, c.value);
        EXPECT_EQ(c.field(memo).ToText(), c.value.ToText());
        EXPECT_EQ(memo.GetPropertyValue(c.name).ToText(), c.value.ToText());
    }
    const Case bandCases[] = {
        {"ChildBand", Variant::String("Enfant1"),
         [&](const View& v) { return Variant::String(bandOf(v).childBand); }},
        {"Master", Variant::String("MasterData1"),
         [&](const View& v) { return Variant::String(bandOf(v).master); }},
        {"Columns", Variant::Int32(3),
         [&](const View& v) { return Variant::Int32(bandOf(v).columns); }},
        {"ColumnWidth", Variant::Int32(150),
         [&](const View& v) { return Variant::Int32(bandOf(v).columnWidth); }},
        {"ColumnGap", Variant::Int32(8),
         [&](const View& v) { return Variant::Int32(bandOf(v).columnGap); }},
        {"FrameTyp", Variant::Int32(16),
         [](const View& v) { return Variant::Int32(v.frameTyp); }},  // the band type
    };
    BandView band;
    for (const Case& c : bandCases) {
        SCOPED_TRACE(c.name);
        band.SetPropertyValue(c.name, c.value);
        EXPECT_EQ(c.field(band).ToText(), c.value.ToText());
        EXPECT_EQ(band.GetPropertyValue(c.name).ToText(), c.value.ToText());
    }
    EXPECT_EQ(band.GetBandType(), BandType::GroupHeader);

    PictureView picture;
    picture.SetPropertyValue("BLOBTYPE", Variant::Int32(2));
    EXPECT_EQ(picture.blobType, 2);
    EXPECT_EQ(picture.GetPropertyValue("BlobType").ToInt(), 2);
    // The stored record fields without a property stay out of reach by name.
    for (const char* name : {"FormatCode", "Script", "RecordSubVersion", "SubReportPage"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(picture.HasProperty(name));
        EXPECT_TRUE(picture.GetPropertyValue(name).IsEmpty());
    }
}

// What the designer lists, and under which type codes, for each kind of object.
TEST_F(ModelTest, PropertyListsOfEachKind) {
    const auto namesOf = [](const PropertyObject& object) {
        std::set<std::string> names;
        for (const PropertyInfo& info : object.Properties())
            names.insert(info.name);
        return names;
    };
    const std::set<std::string> common = {
        "Name",       "Left",       "Top",        "Width",     "Height",  "Flags",       "FrameTyp",
        "FrameWidth", "FrameColor", "FrameStyle", "FillColor", "Visible", "Memo.Count",  "GapX",
        "GapY",       "Stretched",  "BandAlign",  "DataField", "Tag",     "Restrictions"};
    auto with = [&](std::initializer_list<std::string> added) {
        std::set<std::string> names = common;
        names.insert(added);
        return names;
    };
    EXPECT_EQ(namesOf(LineView()), with({"Memo"}));
    EXPECT_EQ(namesOf(SubReportView()), with({"Memo"}));
    EXPECT_EQ(
        namesOf(MemoView()),
        with({"Memo", "Font", "FONT.NAME", "FONT.SIZE", "FONT.COLOR", "FONT.STYLE", "Alignment",
              "LineSpacing", "CharSpacing", "WordWrap", "WordBreak", "AutoWidth", "TextOnly",
              "Suppress", "HideZeros", "Underlines", "Lines.Count", "DisplayFormat", "Highlight"}));
    EXPECT_EQ(namesOf(PictureView()),
              with({"Memo", "Center", "KeepAspect", "BlobType", "Picture"}));
    EXPECT_EQ(namesOf(BandView()),
              with({"OnBeforePrint", "Memo", "ChildBand", "Master", "FormNewPage",
                    "PrintIfSubsetEmpty", "Breaked", "OnFirstPage", "OnLastPage", "RepeatHeader",
                    "PrintChildIfInvisible", "Condition", "Columns", "ColumnGap", "ColumnWidth",
                    "NEWCOLUMNAFTER", "EOF", "DATASOURCE"}));

    MemoView memo;
    const PropertyInfo* style = memo.FindProperty("framestyle");
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->type, prop_type::kEnum);
    EXPECT_EQ(style->enumNames.front(), "psSolid");
    EXPECT_EQ(style->enumValues.size(), 6u);
    EXPECT_EQ(memo.FindProperty("LineSpacing")->type, prop_type::kInteger | prop_type::kPosition);
    EXPECT_EQ(memo.FindProperty("Memo")->type, prop_type::kEditor | prop_type::kSpecial);
    BandView band;
    EXPECT_EQ(band.FindProperty("OnBeforePrint")->type, prop_type::kEditor | prop_type::kSpecial);
    EXPECT_EQ(band.FindProperty("Memo")->type, prop_type::kHidden);
}

TEST_F(ModelTest, ScriptMethodsOnTheMemo) {
    MemoView memo;
    Variant result;
    const Variant none;
    ASSERT_TRUE(memo.CallMethod("HIDE", none, none, none, result));
    EXPECT_FALSE(memo.IsVisible());
    ASSERT_TRUE(memo.CallMethod("show", none, none, none, result));
    EXPECT_TRUE(memo.IsVisible());
    ASSERT_TRUE(memo.CallMethod("MEMO.ADD", Variant::String("a"), none, none, result));
    ASSERT_TRUE(memo.CallMethod("LINES.ADD", Variant::Int32(42), none, none, result));
    EXPECT_EQ(memo.memo, (StringList{"a", "42"}));
    ASSERT_TRUE(memo.CallMethod("LINES.INDEXOF", Variant::String("42"), none, none, result));
    EXPECT_EQ(result.ToInt(), 1);
    ASSERT_TRUE(memo.CallMethod("MEMO.INDEXOF", Variant::String("zz"), none, none, result));
    EXPECT_EQ(result.ToInt(), -1);
    ASSERT_TRUE(memo.CallMethod("GETINDEXPROPERTY", Variant::String("LINES"), Variant::Int32(0),
                                none, result));
    EXPECT_EQ(result.ToText(), "a");
    ASSERT_TRUE(memo.CallMethod("SETINDEXPROPERTY", Variant::String("MEMO"), Variant::Int32(0),
                                Variant::String("b"), result));
    ASSERT_TRUE(memo.CallMethod("MEMO.DELETE", Variant::Int32(1), none, none, result));
    EXPECT_EQ(memo.memo, StringList{"b"});
    EXPECT_THROW(memo.CallMethod("MEMO.DELETE", Variant::Int32(5), none, none, result),
                 ListIndexError);
    ASSERT_TRUE(memo.CallMethod("MEMO.CLEAR", none, none, none, result));
    EXPECT_TRUE(memo.memo.empty());
    EXPECT_FALSE(memo.CallMethod("FROBNICATE", none, none, none, result));

    // Inside a report, list arguments are expression texts, evaluated by the engine.
    Report report(state);
    MemoView& placed = AddView<MemoView>(report.AddPage(), object_type::kMemo);
    state.evaluate = [](const std::string& text) {
        if (text == "1+1") return Variant::Int32(2);
        if (text == "0+1") return Variant::Int32(1);
        return Variant::String("?" + text);
    };
    ASSERT_TRUE(placed.CallMethod("Memo.Add", Variant::String("1+1"), none, none, result));
    ASSERT_TRUE(placed.CallMethod("Lines.Add", Variant::String("'a'"), none, none, result));
    EXPECT_EQ(placed.memo, (StringList{"2", "?'a'"}));
    ASSERT_TRUE(placed.CallMethod("MEMO.INDEXOF", Variant::String("1+1"), none, none, result));
    EXPECT_EQ(result.ToInt(), 0);
    ASSERT_TRUE(placed.CallMethod("MEMO.DELETE", Variant::String("0+1"), none, none, result));
    EXPECT_EQ(placed.memo, StringList{"2"});
    state.evaluate = nullptr;

    BandView band;  // bands have no LINES list
    EXPECT_FALSE(band.CallMethod("LINES.ADD", Variant::String("x"), none, none, result));
}

TEST_F(ModelTest, ReportPageProperties) {
    Report report(state);
    Page& page = report.AddPage();
    page.SetPropertyValue("Width", Variant::Int32(744));
    EXPECT_EQ(page.width, 2067);
    EXPECT_EQ(page.GetPropertyValue("width").ToInt(), 744);
    EXPECT_EQ(page.height, 2970);
    EXPECT_EQ(page.GetPropertyValue("Height").ToInt(), 1069);
    page.SetPropertyValue("StretchToPrintable", Variant::Boolean(true));
    EXPECT_EQ(page.marginsActive, 0);
    page.SetPropertyValue("Left", Variant::Int32(5));
    EXPECT_EQ(page.dialogLeft, 5);

    page.SetPropertyValue("Type", Variant::Int32(1));  // a dialog page
    page.SetPropertyValue("Width", Variant::Int32(400));
    EXPECT_EQ(page.dialogWidth, 400);
    EXPECT_EQ(page.width, 2067);
    EXPECT_TRUE(page.HasProperty("Caption"));
    EXPECT_EQ(page.GetPropertyValue("Caption").ToText(), "Form");
}

TEST_F(ModelTest, PagePropertiesReachTheirFields) {
    Report report(state);
    Page& page = report.AddPage();
    const auto number = [](auto value) { return std::to_string(value); };
    struct Case {
        const char* name;
        Variant value;
        std::function<std::string(const Page&)> field;
        const char* stored;
        const char* readBack;
    } cases[] = {
        {"Name", Variant::String("Garde"), [](const Page& p) { return p.name; }, "Garde", "Garde"},
        {"Columns", Variant::Int32(2), [&](const Page& p) { return number(p.columns); }, "2", "2"},
        {"ColumnGap", Variant::Int32(9), [&](const Page& p) { return number(p.columnGap); }, "9",
         "9"},
        {"TopMargin", Variant::Int32(30), [&](const Page& p) { return number(p.topMargin); }, "30",
         "30"},
        {"PrintToPrevPage", Variant::Boolean(true),
         [&](const Page& p) { return number(p.printToPrevPage); }, "1", "True"},
        {"Visible", Variant::Boolean(false), [&](const Page& p) { return number(p.visible); }, "0",
         "False"},
        {"Caption", Variant::String("Choix"), [](const Page& p) { return p.caption; }, "Choix",
         "Choix"},
        {"Color", Variant::Int32(255), [&](const Page& p) { return number(p.color); }, "255",
         "255"},
        {"BorderStyle", Variant::Int32(2), [&](const Page& p) { return number(p.borderStyle); },
         "2", "2"},
        {"Position", Variant::Int32(0), [&](const Page& p) { return number(p.position); }, "0",
         "0"},
        {"Top", Variant::Int32(40), [&](const Page& p) { return number(p.dialogTop); }, "40", "40"},
        {"OnActivate", Variant::String("a\r\nb"),
         [](const Page& p) { return p.script.size() == 2 ? p.script[1] : ""; }, "b", "a\r\nb"},
        {"OnBeforePrint", Variant::String("c"),
         [](const Page& p) { return p.script.size() == 1 ? p.script[0] : ""; }, "c", "c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        page.SetPropertyValue(c.name, c.value);
        EXPECT_EQ(c.field(page), c.stored);
        EXPECT_EQ(page.GetPropertyValue(c.name).ToText(), c.readBack);
    }
}

TEST_F(ModelTest, NewPageTakesThePrintersPaper) {
    Report report(state);
    Page& page = report.AddPage();
    EXPECT_EQ(page.size, 9);
    EXPECT_EQ(page.width, 2100);
    EXPECT_EQ(page.height, 2970);
    EXPECT_EQ(page.orientation, 0);
    EXPECT_EQ(page.paperBin, 0);
    EXPECT_EQ(page.metrics.pageWidth, 758);
    EXPECT_EQ(page.metrics.printableHeight, 1035);

    page.ChangePaper(9, 0, 0, -1, 1);
    EXPECT_EQ(page.width, 2970);
    EXPECT_EQ(page.height, 2100);
    EXPECT_EQ(page.paperBin, 0xFFFF);
    EXPECT_EQ(page.metrics.pageWidth, 1071);
}

TEST_F(ModelTest, PrintableArea) {
    Report report(state);
    Page& page = report.AddPage();
    page.leftMargin = 40;
    page.rightMargin = 30;
    page.topMargin = 0;
    page.bottomMargin = 25;
    EXPECT_EQ(page.PrintableArea(), (IntRect{40, 18, 758 - 30, 1071 - 25}));
    page.leftMargin = page.rightMargin = page.bottomMargin = 0;
    EXPECT_EQ(page.PrintableArea(), (IntRect{18, 18, 18 + 722, 18 + 1035}));
    page.leftMargin = 99;
    page.marginsActive = 0;
    EXPECT_EQ(page.PrintableArea(), (IntRect{0, 0, 758, 1071}));

    // While building, the margin getters give the printable edges.
    page.marginsActive = -1;
    page.leftMargin = 40;
    EXPECT_EQ(page.GetPropertyValue("LeftMargin").ToInt(), 40);
    EXPECT_EQ(page.GetPropertyValue("RightMargin").ToInt(), 0);
    state.documentMode = DocumentMode::Printing;
    EXPECT_EQ(page.GetPropertyValue("LeftMargin").ToInt(), 40);
    EXPECT_EQ(page.GetPropertyValue("RightMargin").ToInt(), 740);
    EXPECT_EQ(page.GetPropertyValue("BottomMargin").ToInt(), 1053);
}

TEST_F(ModelTest, NamesAreGeneratedFromThePrefix) {
    Report report(state);
    Page& first = report.AddPage();
    Page& second = report.AddPage();
    first.name = "Page2";
    second.GenerateName();
    EXPECT_EQ(second.name, "Page1");
    first.GenerateName();
    EXPECT_EQ(first.name, "Page2");

    MemoView& a = AddView<MemoView>(first, 0);
    a.GenerateName();
    EXPECT_EQ(a.name, "Memo1");
    MemoView& b = AddView<MemoView>(second, 0);
    b.GenerateName();
    EXPECT_EQ(b.name, "Memo2");
    a.name = "MEMO3";
    MemoView& c = AddView<MemoView>(first, 0);
    c.GenerateName();
    EXPECT_EQ(c.name, "Memo1");
    BandView& band = AddView<BandView>(second, 2);
    band.GenerateName();
    EXPECT_EQ(band.name, "Band1");
    EXPECT_EQ(report.FindObject("memo2"), &b);
    EXPECT_EQ(report.FindObject("nothing"), nullptr);
}

TEST_F(ModelTest, AssignViewCopiesTheRecord) {
    MemoView source;
    source.name = "Source";
    source.selected = true;
    source.left = 10;
    source.memo = {"[A]", "b"};
    source.script = {"begin end"};
    source.font.style = 5;
    source.highlight.condition = "A > 1";
    source.formatPattern = "#,##0";
    source.tag = "t";
    source.bandAlign = 3;
    MemoView target;
    AssignView(target, source);
    EXPECT_EQ(target.name, "Source");
    EXPECT_TRUE(target.selected);
    EXPECT_EQ(target.left, 10);
    EXPECT_EQ(target.memo, source.memo);
    EXPECT_EQ(target.script, source.script);
    EXPECT_EQ(target.font, source.font);
    EXPECT_EQ(target.highlight, source.highlight);
    EXPECT_EQ(target.formatPattern, "#,##0");
    EXPECT_EQ(target.tag, "t");
    EXPECT_EQ(target.bandAlign, 3);
}

TEST_F(ModelTest, SelectPrinterByName) {
    Report report(state);
    report.SelectPrinterByName("Absent");
    EXPECT_EQ(report.printerName, "Absent");
    EXPECT_TRUE(state.printer.IsVirtualSelected());
}

TEST(BandTypes, DisplayNames) {
    EXPECT_EQ(BandTypeDisplayName(0), "Titre de l'\xE9tat");
    EXPECT_EQ(BandTypeDisplayName(5),
              "Donn\xE9"
              "es maitre");
    EXPECT_EQ(BandTypeDisplayName(22), "Aucun");
    EXPECT_EQ(BandTypeDisplayName(23), "");
    EXPECT_TRUE(IsVerticalBand(19));
    EXPECT_FALSE(IsVerticalBand(17));
}

// A run-time band that records what reaches it.
class FakeBand : public PropertyAccess {
  public:
    std::map<std::string, Variant> values;
    bool HasProperty(std::string_view) const override { return true; }
    Variant GetPropertyValue(std::string_view name) const override {
        auto it = values.find(std::string(name));
        return it == values.end() ? Variant() : it->second;
    }
    void SetPropertyValue(std::string_view name, const Variant& value) override {
        values[std::string(name)] = value;
    }
    bool CallMethod(std::string_view, const Variant&, const Variant&, const Variant&,
                    Variant&) override {
        return false;
    }
};

TEST_F(ModelTest, BandsActOnTheirRunTimeBandWhileBuilding) {
    Report report(state);
    Page& page = report.AddPage();
    BandView& band = AddView<BandView>(page, object_type::kBand);
    FakeBand runtime;
    band.build.runtimeBand = &runtime;
    band.SetPropertyValue("Top", Variant::Int32(5));
    EXPECT_EQ(band.top, 5);  // designing: the band object itself
    EXPECT_TRUE(runtime.values.empty());

    UserDataset data;
    data.rangeEnd = RangeEnd::reCount;
    data.rangeEndCount = 2;
    band.build.dataSource = &data;
    state.documentMode = DocumentMode::Printing;
    band.SetPropertyValue("top", Variant::Int32(40));
    band.SetPropertyValue("Visible", Variant::Boolean(false));
    EXPECT_EQ(band.top, 5);
    EXPECT_EQ(runtime.values["TOP"].ToInt(), 40);
    EXPECT_TRUE(band.IsVisible());
    band.SetPropertyValue("ChildBand", Variant::String("Child1"));
    EXPECT_EQ(band.childBand, "Child1");
    EXPECT_EQ(runtime.values["CHILDBAND"].ToText(), "Child1");

    Variant result;
    const Variant none;
    ASSERT_TRUE(band.CallMethod("FIRST", none, none, none, result));
    EXPECT_FALSE(band.GetPropertyValue("EOF").ToBool());
    band.CallMethod("next", none, none, none, result);
    band.CallMethod("NEXT", none, none, none, result);
    EXPECT_TRUE(band.GetPropertyValue("Eof").ToBool());
    band.CallMethod("PRIOR", none, none, none, result);
    EXPECT_EQ(data.RecordNo(), 1);

    EXPECT_TRUE(band.HasProperty("OnBeforePrint"));
    band.SetPropertyValue("OnBeforePrint", Variant::String("a\r\nb"));
    EXPECT_EQ(band.memo, (StringList{"a", "b"}));
    band.SetPropertyValue("Condition", Variant::String("[Equipe]"));
    EXPECT_EQ(band.formatPattern, "[Equipe]");
    band.SetPropertyValue("NEWCOLUMNAFTER", Variant::Int32(4));
    EXPECT_EQ(band.newColumnAfter, 4);
}

TEST_F(ModelTest, CompactRecordsOfPreparedPages) {
    Report report(state);
    Page& page = report.AddPage();
    MemoView& memo = AddView<MemoView>(page, object_type::kMemo);
    memo.name = "Memo7";
    memo.memo = {"[Num]"};
    memo.expandedMemo = {"12"};
    memo.script = {"begin end"};
    memo.formatPattern = "0.00";
    memo.highlight.condition = "x";
    memo.inPreparedPage = true;
    EngineStream compact;
    memo.WriteRecord(compact);

    memo.inPreparedPage = false;
    EngineStream full;
    memo.WriteRecord(full);
    // No format code and pattern, script, visibility or highlight in the compact variant, and
    // the expanded text ("12") instead of the memo ("[Num]").
    EXPECT_EQ(full.Size() - compact.Size(), 4u + 7u + 3u + 14u + 2u + 10u + 4u);

    MemoView read;
    read.inPreparedPage = true;
    compact.Seek(0);
    read.ReadRecord(compact, 24);
    EXPECT_EQ(read.name, "Memo7");
    EXPECT_EQ(read.expandedMemo, StringList{"12"});
    EXPECT_TRUE(read.memo.empty());
    EXPECT_TRUE(read.script.empty());
    EXPECT_TRUE(compact.AtEnd());

    // Version 23 compact records carry no name: one is generated.
    Page& other = report.AddPage();
    MemoView& unnamed = AddView<MemoView>(other, object_type::kMemo);
    unnamed.inPreparedPage = true;
    EngineStream v23;
    WriteI32(v23, 1);  // left ...
    for (int i = 0; i < 3; ++i)
        WriteI32(v23, 0);
    WriteU16(v23, 67);
    WriteU16(v23, 0);
    WriteI32(v23, 1);
    WriteI32(v23, 0);
    WriteU16(v23, 0);
    WriteI32(v23, kNoColor);
    WriteMemo(v23, {"texte"});
    v23.Seek(0);
    unnamed.ReadRecord(v23, 23);
    EXPECT_EQ(unnamed.name, "Memo1");
    EXPECT_EQ(unnamed.expandedMemo, StringList{"texte"});
}

TEST_F(ModelTest, ShortGraphicLeavesAnEmptyPictureOfItsKind) {
    PictureView picture;
    picture.picture = Picture{GraphicKind::Icon, std::string(40, 'i')};
    EngineStream s;
    picture.WriteRecord(s);
    std::string bytes = s.TakeBytes();
    bytes.resize(bytes.size() - 10);  // the graphic ends early
    EngineStream cut(bytes);
    PictureView read;
    EXPECT_THROW(read.ReadRecord(cut, 24), StreamReadError);
    EXPECT_EQ(read.picture.kind, GraphicKind::Icon);
    EXPECT_TRUE(read.picture.data.empty());
}

}  // namespace
}  // namespace report
