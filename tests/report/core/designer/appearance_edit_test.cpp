// The highlight and the frame and fill editors' changes: what lands in which objects, what is
// refused, and that each change is one undo step.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "designer_fixture.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/designer/design_commands.h"
#include "report/core/designer/font_edit.h"
#include "report/core/designer/frame_fill_edit.h"
#include "report/core/designer/highlight_edit.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/page.h"

namespace report {
namespace {

using testing::DesignerTest;

class AppearanceEditTest : public DesignerTest {
  protected:
    AppearanceEditTest() : document(state) {
        band = InsertObject(document, ObjectKind::Band, {0, 100, 0, 130}, BandType::MasterData);
        text = InsertObject(document, ObjectKind::Text, {10, 10, 80, 30});
        other = InsertObject(document, ObjectKind::Text, {10, 40, 80, 60});
        line = InsertObject(document, ObjectKind::Line, {100, 10, 100, 60});
        picture = InsertObject(document, ObjectKind::Picture, {120, 10, 180, 60});
        document.Commit();
    }
    View& At(size_t index) { return document.CurrentPage().ObjectAt(index); }
    MemoView& Memo(size_t index) { return dynamic_cast<MemoView&>(At(index)); }

    DesignDocument document;
    size_t band = 0, text = 0, other = 0, line = 0, picture = 0;
};

TEST_F(AppearanceEditTest, AHighlightGoesToTheSelectedTextObjectsAsOneStep) {
    const std::string before = document.Serialize(TemplateForm::Json);
    const MemoView::Highlight untouched = Memo(other).highlight;
    document.Select({band, line});
    EXPECT_FALSE(SelectedHighlight(document).has_value());

    document.Select({band, text, line});
    MemoView::Highlight highlight;
    highlight.condition = "  [Prix] > 100 ";
    highlight.fontStyle = font_style::kBold | font_style::kUnderline;
    highlight.fontColor = 0x0000FF;
    highlight.fillColor = kNoColor;
    ASSERT_TRUE(ApplyHighlight(document, highlight));
    EXPECT_EQ(Memo(text).highlight.condition, "[Prix] > 100");
    EXPECT_EQ(Memo(text).highlight.fontStyle, font_style::kBold | font_style::kUnderline);
    EXPECT_EQ(Memo(text).highlight.fontColor, 0x0000FF);
    EXPECT_EQ(Memo(text).highlight.fillColor, kNoColor);
    EXPECT_EQ(Memo(other).highlight, untouched);
    ASSERT_TRUE(SelectedHighlight(document).has_value());
    EXPECT_EQ(SelectedHighlight(document)->condition, "[Prix] > 100");
    EXPECT_FALSE(ApplyHighlight(document, highlight));

    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(document.Serialize(TemplateForm::Json), before);
}

TEST_F(AppearanceEditTest, ARefusedConditionChangesNothing) {
    document.Select({text, other});
    const std::string before = document.Serialize(TemplateForm::Json);
    const struct {
        std::string condition;
        std::string message;
    } cases[] = {
        {"[Prix] * ", "Condition de surbrillance incorrecte : Opérande manquant dans l'expression"},
        {"(1 + 2", "Condition de surbrillance incorrecte : Parenthèse manquante dans l'expression"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.condition);
        MemoView::Highlight highlight;
        highlight.condition = c.condition;
        try {
            ApplyHighlight(document, highlight);
            ADD_FAILURE() << "accepted";
        } catch (const EngineError& error) {
            EXPECT_EQ(Cp1252ToUtf8(error.what()), c.message);
        }
        EXPECT_EQ(document.Serialize(TemplateForm::Json), before);
        EXPECT_EQ(Memo(text).highlight.condition, "");
    }
    // Blanks only mean no highlight, which is no refusal.
    MemoView::Highlight blank;
    blank.condition = "   ";
    blank.fontStyle = font_style::kItalic;
    EXPECT_TRUE(ApplyHighlight(document, blank));
    EXPECT_EQ(Memo(text).highlight.condition, "");
}

TEST_F(AppearanceEditTest, FrameAndFillGoToTheSelectedObjectsButBandsAsOneStep) {
    const std::string before = document.Serialize(TemplateForm::Json);
    const uint16_t bandType = At(band).frameTyp;
    const uint16_t lineSide = At(line).frameTyp;
    document.Select({band});
    EXPECT_FALSE(SelectedFrameAndFill(document).has_value());

    document.Select({band, text, line, picture});
    const FrameAndFill frame{frame_side::kLeft | frame_side::kBottom, 2.5f,
                             static_cast<uint16_t>(FrameStyle::psDash), 0x00FF00, 0xC0C0C0};
    ASSERT_TRUE(ApplyFrameAndFill(document, frame));
    for (size_t index : {text, picture}) {
        SCOPED_TRACE(index);
        const View& view = At(index);
        EXPECT_EQ((FrameAndFill{view.frameTyp, view.frameWidth, view.frameStyle, view.frameColor,
                                view.fillColor}),
                  frame);
    }
    // The band's field is its type; the line's side is its direction and it has no fill.
    EXPECT_EQ(At(band).frameTyp, bandType);
    EXPECT_EQ(At(line).frameTyp, lineSide);
    EXPECT_EQ(At(line).fillColor, kNoColor);
    EXPECT_EQ(At(line).frameWidth, 2.5f);
    EXPECT_EQ(At(line).frameColor, 0x00FF00);
    EXPECT_EQ(At(other).frameTyp, frame_side::kNone);
    EXPECT_EQ(SelectedFrameAndFill(document), frame);
    EXPECT_FALSE(ApplyFrameAndFill(document, frame));

    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(document.Serialize(TemplateForm::Json), before);
}

TEST_F(AppearanceEditTest, AWrongWidthOrStyleChangesNothing) {
    document.Select({text});
    const std::string before = document.Serialize(TemplateForm::Json);
    const struct {
        float width;
        uint16_t style;
        std::string message;
    } cases[] = {
        {0.0f, 0, "L'épaisseur du cadre doit être supérieure à 0 et au plus 100"},
        {-1.0f, 0, "L'épaisseur du cadre doit être supérieure à 0 et au plus 100"},
        {100.5f, 0, "L'épaisseur du cadre doit être supérieure à 0 et au plus 100"},
        {std::numeric_limits<float>::quiet_NaN(), 0,
         "L'épaisseur du cadre doit être supérieure à 0 et au plus 100"},
        {1.0f, 6, "Style de cadre inconnu"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message + " " + std::to_string(c.width));
        FrameAndFill frame;
        frame.sides = frame_side::kTop;
        frame.width = c.width;
        frame.style = c.style;
        try {
            ApplyFrameAndFill(document, frame);
            ADD_FAILURE() << "accepted";
        } catch (const EngineError& error) {
            EXPECT_EQ(Cp1252ToUtf8(error.what()), c.message);
        }
        EXPECT_EQ(document.Serialize(TemplateForm::Json), before);
    }
}

TEST_F(AppearanceEditTest, AFontGoesToTheSelectedTextObjectsKeepingTheirCharacterSet) {
    Memo(text).font.charset = 0;
    document.Commit();
    const std::string before = document.Serialize(TemplateForm::Json);
    const Font untouched = Memo(other).font;
    document.Select({band, picture});
    EXPECT_FALSE(SelectedFont(document).has_value());

    document.Select({band, text, picture});
    Font font;
    font.name = " Times New Roman ";
    font.size = 14;
    font.style = font_style::kItalic | font_style::kUnderline;
    font.color = 0x800000;
    font.charset = 238;
    ASSERT_TRUE(ApplyFont(document, font));
    EXPECT_EQ(Memo(text).font.name, "Times New Roman");
    EXPECT_EQ(Memo(text).font.size, 14);
    EXPECT_EQ(Memo(text).font.style, font_style::kItalic | font_style::kUnderline);
    EXPECT_EQ(Memo(text).font.color, 0x800000);
    EXPECT_EQ(Memo(text).font.charset, 0);
    EXPECT_EQ(Memo(other).font, untouched);
    EXPECT_EQ(SelectedFont(document)->name, "Times New Roman");

    ASSERT_TRUE(document.Undo());
    EXPECT_EQ(document.Serialize(TemplateForm::Json), before);
}

TEST_F(AppearanceEditTest, AnEmptyNameOrASizeOutOfRangeChangesNothing) {
    document.Select({text});
    const std::string before = document.Serialize(TemplateForm::Json);
    const std::string sizeMessage = "La taille de la police doit être comprise entre 1 et 1638";
    const struct {
        std::string name;
        int32_t size;
        std::string message;
    } cases[] = {
        {"", 10, "Le nom de la police est vide"},
        {"   ", 10, "Le nom de la police est vide"},
        {"Arial", 0, sizeMessage},
        {"Arial", -4, sizeMessage},
        {"Arial", 1639, sizeMessage},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name + "/" + std::to_string(c.size));
        Font font;
        font.name = c.name;
        font.size = c.size;
        try {
            ApplyFont(document, font);
            ADD_FAILURE() << "accepted";
        } catch (const EngineError& error) {
            EXPECT_EQ(Cp1252ToUtf8(error.what()), c.message);
        }
        EXPECT_EQ(document.Serialize(TemplateForm::Json), before);
    }
}

}  // namespace
}  // namespace report
