#include "report/core/designer/design_clipboard.h"

#include <gtest/gtest.h>

#include "report/core/base/json.h"
#include "report/core/designer/design_commands.h"
#include "report/core/designer/design_document.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/page.h"
#include "tests/report/core/designer/designer_fixture.h"

namespace report {
namespace {

using testing::DesignerTest;
using testing::FixturePath;

std::string RecordOf(View& view) {
    EngineStream s;
    view.WriteRecord(s);
    return s.TakeBytes();
}

TEST_F(DesignerTest, CopiedObjectsPasteBackWholeIntoAnotherTemplate) {
    DesignDocument source(state);
    source.Open(FixturePath("v24.etf"));
    const size_t count = source.CurrentPage().ObjectCount();
    ASSERT_GT(count, 1u);
    std::vector<size_t> all(count);
    for (size_t i = 0; i < count; ++i)
        all[i] = i;
    source.Select(all);
    const std::string text = SelectionToJson(source);
    EXPECT_NE(text.find("\"objects\""), std::string::npos);

    DesignDocument target(state);
    EXPECT_EQ(PasteJson(target, text, 8), count);
    EXPECT_EQ(target.Selection().size(), count);
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        View& copied = target.CurrentPage().ObjectAt(i);
        View& original = source.CurrentPage().ObjectAt(i);
        EXPECT_EQ(copied.name, original.name) << "free names stay";
        EXPECT_EQ(RecordOf(copied), RecordOf(original));
    }
    // Pasted again beside the copies: new names, moved by the offset.
    EXPECT_EQ(PasteJson(target, text, 8), count);
    View& again = target.CurrentPage().ObjectAt(count);
    EXPECT_NE(again.name, source.CurrentPage().ObjectAt(0).name);
    EXPECT_EQ(again.left, source.CurrentPage().ObjectAt(0).left + 8);
}

TEST_F(DesignerTest, JsonTextWrittenByHandPastesAsObjects) {
    const struct {
        const char* what;
        std::string text;
        size_t added;
    } cases[] = {
        {"one object", R"({"class": "MemoView", "name": "Titre", "left": 10, "top": 20,
                           "width": 100, "height": 18, "memo": ["Tirage"]})",
         1},
        {"a list", R"([{"class": "MemoView"}, {"class": "LineView", "width": 50}])", 2},
        {"the clipboard form", R"({"objects": [{"class": "BandView"}]})", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DesignDocument document(state);
        EXPECT_EQ(PasteJson(document, c.text, 8), c.added);
        EXPECT_EQ(document.CurrentPage().ObjectCount(), c.added);
        for (const auto& object : document.CurrentPage().Objects())
            EXPECT_FALSE(object->name.empty());
    }
    DesignDocument document(state);
    PasteJson(document, cases[0].text, 8);
    const auto& memo = static_cast<const MemoView&>(document.CurrentPage().ObjectAt(0));
    EXPECT_EQ(memo.name, "Titre");
    EXPECT_EQ(memo.memo, StringList{"Tirage"});
}

TEST_F(DesignerTest, BadTextAddsNothingAndSaysWhere) {
    const struct {
        const char* text;
        const char* where;
    } cases[] = {
        {"Tirage du jour", "ligne"},
        {R"({"objects": [{"class": "MemoView"}, {"class": "Nuage"}]})", "objects[1]"},
        {R"({"objects": [{"class": "MemoView", "left": "dix"}]})", "objects[0]"},
        {R"({"objects": 4})", "objects"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        DesignDocument document(state);
        try {
            PasteJson(document, c.text, 8);
            ADD_FAILURE() << "pasted";
        } catch (const JsonError& error) {
            EXPECT_NE(std::string(error.what()).find(c.where), std::string::npos) << error.what();
        }
        EXPECT_EQ(document.CurrentPage().ObjectCount(), 0u);
    }
}

}  // namespace
}  // namespace report
