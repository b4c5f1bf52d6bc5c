#include "report/core/file/template_json.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "report/core/model/band_view.h"
#include "report/core/model/line_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/picture_view.h"
#include "report/core/model/report.h"
#include "report/core/model/subreport_view.h"

namespace report {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

class TemplateJsonTest : public ::testing::Test {
  protected:
    TemplateJsonTest() { state.printer.Start(nullptr); }

    // The object's template record, which holds every stored field.
    static std::string RecordOf(View& view) {
        EngineStream s;
        view.WriteRecord(s);
        return s.TakeBytes();
    }

    ModelState state;
};

TEST_F(TemplateJsonTest, EachKindOfObjectComesBackWhole) {
    MemoView memo;
    memo.name = "Titre";
    memo.memo = {"Tirage du [Date1]", "\xE9t\xE9"};
    memo.script = {"begin", "end"};
    memo.font = Font{"Courier New", 12, font_style::kBold, 0xFF, 0};
    memo.highlight.condition = "[Num] > 1";
    memo.lineSpacing = 5;
    memo.frameWidth = 2.25f;
    memo.visible = 0;
    BandView band;
    band.SetBandType(BandType::GroupHeader);
    band.formatPattern = "[Equipe]";
    band.master = "MasterData1";
    band.columns = 2;
    PictureView picture;
    picture.picture = Picture{GraphicKind::Icon, std::string("\x00\x00\x01\x00\xFF", 5)};
    picture.blobType = 3;
    SubReportView subReport;
    subReport.subReportPage = 4;
    LineView line;
    line.frameTyp = frame_side::kTop;

    for (View* view : std::initializer_list<View*>{&memo, &band, &picture, &subReport, &line}) {
        SCOPED_TRACE(view->ClassName());
        const JsonValue json = ObjectToJson(*view);
        EXPECT_EQ(json.Find("class")->AsString("class"), view->ClassName());
        // Through the text form too, as `etat dump` and `etat compile` pass it.
        std::unique_ptr<View> read =
            JsonToObject(ParseJson(WriteJson(json)), state.factory, "objet");
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(read->ClassName(), view->ClassName());
        EXPECT_EQ(RecordOf(*read), RecordOf(*view));
    }
    const JsonValue bandJson = ObjectToJson(band);
    EXPECT_EQ(bandJson.Find("bandType")->AsString("bandType"), "GroupHeader");
    EXPECT_EQ(bandJson.Find("frameTyp"), nullptr);
    EXPECT_EQ(ObjectToJson(memo).Find("font")->Find("name")->AsString("name"), "Courier New");
}

TEST_F(TemplateJsonTest, ObjectsOfPreparedPagesTakeTheirCompactForm) {
    MemoView memo;
    memo.name = "Memo7";
    memo.memo = {"[Num]"};
    memo.expandedMemo = {"12"};
    memo.script = {"begin end"};
    memo.formatPattern = "0.00";
    memo.highlight.condition = "x";
    memo.inPreparedPage = true;
    const JsonValue json = ObjectToJson(memo);
    for (const char* absent : {"formatCode", "formatPattern", "script", "visible", "highlight"}) {
        SCOPED_TRACE(absent);
        EXPECT_EQ(json.Find(absent), nullptr);
    }
    const auto& text = json.Find("memo")->AsArray("memo");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].AsString("memo"), "12");  // the finished text
    EXPECT_NE(json.Find("font"), nullptr);

    std::unique_ptr<View> read = JsonToObject(json, state.factory, "objet", true);
    EXPECT_TRUE(read->inPreparedPage);
    EXPECT_EQ(read->expandedMemo, StringList{"12"});
    EXPECT_TRUE(read->memo.empty());
    EXPECT_EQ(RecordOf(*read), RecordOf(memo));

    // A member the compact record lacks is refused.
    const JsonValue withScript = ParseJson(R"({ "class": "MemoView", "script": ["begin end"] })");
    EXPECT_THAT([&] { JsonToObject(withScript, state.factory, "objets[3]", true); },
                ThrowsMessage<JsonError>(StrEq("objets[3] : membre inconnu \xAB script \xBB")));
}

TEST_F(TemplateJsonTest, BadFormsAreRefusedSayingWhere) {
    struct Case {
        const char* json;
        const char* message;  // Windows-1252
    } cases[] = {
        {R"({ "pagse": [] })", "mod\xE8le : membre inconnu \xAB pagse \xBB"},
        {R"({ "pages": [ { "objects": [ {} ] } ] })",
         "pages[0].objects[0] : membre \xAB class \xBB manquant"},
        {R"({ "pages": [ { "objects": [ { "class": "Bouton" } ] } ] })",
         "pages[0].objects[0].class : classe inconnue \xAB Bouton \xBB"},
        {R"({ "pages": [ { "objects": [ { "class": "BandView", "bandType": "Zorg" } ] } ] })",
         "pages[0].objects[0].bandType : type de bande inconnu \xAB Zorg \xBB"},
        {R"({ "pages": [ { "objects": [ { "class": "MemoView", "fillColor": "rouge" } ] } ] })",
         "pages[0].objects[0].fillColor : couleur 0xRRGGBB ou nombre attendu, \xAB rouge \xBB "
         "trouv\xE9"},
        {R"({ "pages": [ { "objects": [ { "class": "PictureView", "picture": { "kind": "gif" } } ] } ] })",
         "pages[0].objects[0].picture.kind : none, bitmap, metafile ou icon attendu"},
        {R"({ "pages": [ { "objects": [ { "class": "PictureView", "picture": { "data": "!!" } } ] } ] })",
         "pages[0].objects[0].picture.data : Base64 invalide"},
        {R"({ "pages": [ { "objects": [ { "class": "MemoView", "font": { "nom": "x" } } ] } ] })",
         "pages[0].objects[0].font : membre inconnu \xAB nom \xBB"},
        {R"({ "pages": [ { "objects": [ { "class": "LineView", "left": 1, "left": 2 } ] } ] })",
         "pages[0].objects[0] : membre \xAB left \xBB en double"},
        {R"({ "pages": [ { "objects": [ { "class": "LineView", "bandType": 3 } ] } ] })",
         "pages[0].objects[0] : membre inconnu \xAB bandType \xBB"},
        {R"({ "dictionary": { "variables": [["a"]] } })",
         "mod\xE8le.dictionary.variables : paires [nom, valeur] attendues"},
        {R"({ "pages": [ { "nom": 1 } ] })", "pages[0] : membre inconnu \xAB nom \xBB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        Report report(state);
        const JsonValue json = ParseJson(c.json);
        EXPECT_THAT([&] { JsonToTemplate(json, report); },
                    ThrowsMessage<JsonError>(StrEq(c.message)));
    }
}

TEST_F(TemplateJsonTest, VisibilityReadsAsNumberOrBoolean) {
    struct Case {
        const char* visible;
        uint16_t stored;
    } cases[] = {{"false", 0}, {"true", 0xFFFF}, {"0", 0}, {"1", 1}, {"65535", 0xFFFF}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.visible);
        const std::string text =
            std::string(R"({ "class": "LineView", "visible": )") + c.visible + " }";
        EXPECT_EQ(JsonToObject(ParseJson(text), state.factory, "objet")->visible, c.stored);
    }
}

}  // namespace
}  // namespace report
