#include "report/core/designer/property_editing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "report/core/base/errors.h"
#include "report/core/designer/design_commands.h"
#include "report/core/designer/design_document.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/page.h"
#include "tests/report/core/designer/designer_fixture.h"

namespace report {
namespace {

using testing::DesignerTest;

const PropertyRow* Row(const std::vector<PropertyRow>& rows, const std::string& name) {
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const PropertyRow& row) { return row.name == name; });
    return found != rows.end() ? &*found : nullptr;
}

class PropertyEditingTest : public DesignerTest {
  protected:
    PropertyEditingTest() : document(state) {
        InsertObject(document, ObjectKind::Text, IntRect{96, 10, 196, 30});
        InsertObject(document, ObjectKind::Text, IntRect{96, 50, 196, 70});
        InsertObject(document, ObjectKind::Line, IntRect{0, 100, 50, 100});
        document.Select({0, 1});
    }
    std::vector<PropertyObject*> Selected() const {
        std::vector<PropertyObject*> objects;
        for (View* view : document.SelectedViews())
            objects.push_back(view);
        return objects;
    }
    View& At(size_t index) const { return document.CurrentPage().ObjectAt(index); }

    DesignDocument document;
};

TEST_F(PropertyEditingTest, RowsComeFromTheFieldDescriptionsWithCommonValues) {
    const UnitScale pixels;
    const UnitScale millimetres{DesignUnit::Millimetres, 96.0 / 25.4};
    const auto rows = SharedProperties(Selected(), pixels);
    const struct {
        const char* name;
        const char* value;
        bool mixed;
        bool readOnly;
    } expected[] = {
        {"Left", "96", false, false},
        {"Top", "", true, false},
        {"Name", "", true, true},
        {"FrameColor", "0x00000000", false, false},
        {"FrameStyle", "psSolid", false, false},
        {"Visible", "Vrai", false, false},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        const PropertyRow* row = Row(rows, e.name);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->value, e.value);
        EXPECT_EQ(row->mixed, e.mixed);
        EXPECT_EQ(row->readOnly, e.readOnly);
    }
    EXPECT_EQ(Row(rows, "Flags"), nullptr) << "properties only scripts use are not listed";
    EXPECT_EQ(Row(rows, "FrameStyle")->choices.front(), "psSolid");
    EXPECT_EQ(Row(SharedProperties(Selected(), millimetres), "Left")->value, "25,4");
    // A text and a line share only what both list.
    document.Select({0, 2});
    EXPECT_EQ(Row(SharedProperties(Selected(), pixels), "Alignment"), nullptr);
}

TEST_F(PropertyEditingTest, AnEditChangesEverySelectedObject) {
    const UnitScale millimetres{DesignUnit::Millimetres, 96.0 / 25.4};
    const struct {
        const char* name;
        const char* typed;
        UnitScale scale;
        std::function<bool(const View&)> holds;
    } cases[] = {
        {"Width", "150", UnitScale{}, [](const View& v) { return v.width == 150; }},
        {"Left", "10", millimetres, [](const View& v) { return v.left == 38; }},
        {"Left", "10,5", millimetres, [](const View& v) { return v.left == 40; }},
        {"FrameColor", "0x000000FF", UnitScale{},
         [](const View& v) { return v.frameColor == 0xFF; }},
        {"FrameColor", "65280", UnitScale{}, [](const View& v) { return v.frameColor == 0xFF00; }},
        {"FrameStyle", "psDot", UnitScale{}, [](const View& v) { return v.frameStyle == 2; }},
        {"Visible", "Faux", UnitScale{}, [](const View& v) { return v.visible == 0; }},
        {"FrameWidth", "2,5", UnitScale{}, [](const View& v) { return v.frameWidth == 2.5f; }},
        {"Memo", "Tirage\r\ndu jour", UnitScale{},
         [](const View& v) {
             return v.memo == StringList{"Tirage", "du jour"};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " = " + c.typed);
        EXPECT_TRUE(SetSharedProperty(Selected(), c.name, c.typed, c.scale));
        EXPECT_TRUE(c.holds(At(0)));
        EXPECT_TRUE(c.holds(At(1)));
        EXPECT_FALSE(c.holds(At(2))) << "objects not selected stay";
    }
}

TEST_F(PropertyEditingTest, InvalidInputIsRefusedWithTheEnginesMessageAndStoresNothing) {
    const struct {
        const char* name;
        const char* typed;
        const char* message;
    } cases[] = {
        {"Width", "large", "'large' n'est pas une valeur en virgule flottante correcte"},
        {"Restrictions", "toutes", "'toutes' n'est pas une valeur enti\xE8re correcte"},
        {"Width", "99999999999", "n'est pas une valeur enti\xE8re correcte"},
        {"Left", "1,2,3", "'1,2,3' n'est pas une valeur en virgule flottante correcte"},
        {"FrameColor", "rouge", "'rouge' n'est pas une valeur enti\xE8re correcte"},
        {"FrameStyle", "psWavy", "'psWavy' n'est pas une valeur enti\xE8re correcte"},
        {"Visible", "peut-\xEAtre", "Conversion de type variant incorrecte"},
        {"FrameWidth", "", "n'est pas une valeur en virgule flottante correcte"},
        {"Name", "Memo3", "d\xE9j\xE0 utilis\xE9"},  // two objects cannot share one name
    };
    const std::string before = document.Serialize(TemplateForm::Binary);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            SetSharedProperty(Selected(), c.name, c.typed, UnitScale{});
            ADD_FAILURE() << "accepted";
        } catch (const EngineError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
        EXPECT_TRUE(document.Serialize(TemplateForm::Binary) == before);
    }
    // One object may take a free name, not one in use.
    document.Select({0});
    EXPECT_THROW(SetSharedProperty(Selected(), "Name", "Line1", UnitScale{}), EngineError);
    EXPECT_TRUE(SetSharedProperty(Selected(), "Name", "Titre", UnitScale{}));
    EXPECT_EQ(At(0).name, "Titre");
}

TEST_F(PropertyEditingTest, RestrictionsLockTheirProperties) {
    const struct {
        uint16_t restrictions;
        const char* name;
        const char* typed;
        bool changes;
    } cases[] = {
        {restriction::kNotMovable, "Left", "200", false},
        {restriction::kNotMovable, "Width", "200", true},
        {restriction::kNotResizable, "Height", "200", false},
        {restriction::kMemoLocked, "Memo", "autre", false},
        {restriction::kNotModifiable, "FrameColor", "255", false},
        {restriction::kNotModifiable, "Restrictions", "0", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        document.Select({0});
        At(0).restrictions = c.restrictions;
        const auto rows = SharedProperties(Selected(), UnitScale{});
        EXPECT_EQ(Row(rows, c.name)->readOnly, !c.changes);
        EXPECT_EQ(SetSharedProperty(Selected(), c.name, c.typed, UnitScale{}), c.changes);
        At(0).restrictions = 0;
    }
}

}  // namespace
}  // namespace report
