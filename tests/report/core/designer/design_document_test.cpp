#include "report/core/designer/design_document.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "report/core/base/errors.h"
#include "report/core/base/whole_file.h"
#include "report/core/designer/design_commands.h"
#include "report/core/model/page.h"
#include "tests/report/core/designer/designer_fixture.h"

namespace report {
namespace {

using testing::DesignerTest;
using testing::FixturePath;

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST_F(DesignerTest, OpeningAndSavingWithoutChangesGivesTheSameBytes) {
    // The binary fixtures are written as version 24 by hand; the JSON one is the engine's
    // form of the first, as the designer writes it.
    DesignDocument source(state);
    source.Open(FixturePath("v24.etf"));
    WriteFile(Temp("v24.json"), source.Serialize(TemplateForm::Json));
    for (const std::string& path :
         {FixturePath("v24.etf"), FixturePath("v24_extension.etf.converted"), Temp("v24.json")}) {
        SCOPED_TRACE(path);
        DesignDocument document(state);
        document.Open(path);
        EXPECT_FALSE(document.Modified());
        const std::string extension = TemplateFormOf(path) == TemplateForm::Json ? ".json" : ".etf";
        document.Save(Temp("copy" + extension));
        EXPECT_TRUE(ReadWholeFile(Temp("copy" + extension)) == ReadWholeFile(path));
        EXPECT_FALSE(document.Modified());
        EXPECT_EQ(document.Path(), Temp("copy" + extension));
    }
}

TEST_F(DesignerTest, TheFormFollowsTheExtension) {
    const struct {
        const char* path;
        TemplateForm form;
    } cases[] = {{"a.etf", TemplateForm::Binary},
                 {"a.json", TemplateForm::Json},
                 {"A.JSON", TemplateForm::Json},
                 {"json", TemplateForm::Binary},
                 {"a.json.etf", TemplateForm::Binary}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(TemplateFormOf(c.path), c.form);
    }
}

TEST_F(DesignerTest, AFileThatCannotBeReadLeavesTheDocumentAsItWas) {
    WriteFile(Temp("broken.json"), "{\"pages\": [ {\"objects\": 3} ]}");
    const struct {
        std::string path;
        std::string message;
    } cases[] = {
        {FixturePath("v25.etf"), "Format ETF non support\xE9"},
        {Temp("missing.etf"), "Impossible d'ouvrir le fichier"},
        {Temp("broken.json"), "objects"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        DesignDocument document(state);
        document.Open(FixturePath("v24.etf"));
        const std::string before = document.Serialize(TemplateForm::Binary);
        try {
            document.Open(c.path);
            ADD_FAILURE() << "opened";
        } catch (const EngineError& error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
        }
        EXPECT_TRUE(document.Serialize(TemplateForm::Binary) == before);
        EXPECT_EQ(document.Path(), FixturePath("v24.etf"));
    }
}

TEST_F(DesignerTest, AFailedSaveSaysWhyAndKeepsTheDocumentModified) {
    DesignDocument document(state);
    document.Open(FixturePath("v24.etf"));
    InsertObject(document, ObjectKind::Text, IntRect{10, 10, 110, 30});
    document.Commit();
    ASSERT_TRUE(document.Modified());
    EXPECT_THROW(document.Save(Temp("no/such/folder/t.etf")), FileCreateError);
    EXPECT_TRUE(document.Modified());
    EXPECT_EQ(document.Path(), FixturePath("v24.etf"));
    // The file in place stays whole when a save replaces it.
    WriteFile(Temp("kept.etf"), "old");
    document.Save(Temp("kept.etf"));
    EXPECT_TRUE(ReadWholeFile(Temp("kept.etf")) == document.Serialize(TemplateForm::Binary));
}

TEST_F(DesignerTest, UndoGoesBackToTheByteIdenticalTemplateAndRedoForward) {
    DesignDocument document(state);
    document.Open(FixturePath("v24.etf"));
    const std::string opened = document.Serialize(TemplateForm::Binary);
    std::vector<std::string> steps{opened};
    const std::function<void()> changes[] = {
        [&] { InsertObject(document, ObjectKind::Band, {}, BandType::PageHeader); },
        [&] {
            InsertObject(document, ObjectKind::Text, IntRect{20, 20, 120, 40});
        },
        [&] { MoveSelection(document, 8, 16); },
        [&] { ResizeSelection(document, Handle::BottomRight, 30, 4); },
        [&] {
            InsertObject(document, ObjectKind::SubReport, IntRect{0, 300, 0, 300});
        },
        [&] { DeleteSelection(document); },
        [&] {
            document.Select({document.CurrentPage().ObjectCount() - 1});
            SendToBack(document);
        },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        SCOPED_TRACE(i);
        changes[i]();
        EXPECT_TRUE(document.Commit());
        steps.push_back(document.Serialize(TemplateForm::Binary));
    }
    EXPECT_FALSE(document.Commit()) << "a commit without a change is no step";
    for (size_t i = steps.size() - 1; i-- > 0;) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(document.Undo());
        EXPECT_TRUE(document.Serialize(TemplateForm::Binary) == steps[i]);
    }
    EXPECT_FALSE(document.Undo());
    EXPECT_FALSE(document.Modified());
    for (size_t i = 1; i < steps.size(); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(document.Redo());
        EXPECT_TRUE(document.Serialize(TemplateForm::Binary) == steps[i]);
    }
    EXPECT_FALSE(document.Redo());
    EXPECT_TRUE(document.Modified());
    // A change after undoing drops the steps after it.
    document.Undo();
    MoveSelection(document, 4, 4);
    InsertObject(document, ObjectKind::Line, IntRect{0, 0, 50, 0});
    document.Commit();
    EXPECT_FALSE(document.CanRedo());
}

TEST_F(DesignerTest, UndoingBackToTheSavedStateIsNotAChange) {
    DesignDocument document(state);
    document.Open(FixturePath("v24.etf"));
    InsertObject(document, ObjectKind::Text, IntRect{10, 10, 110, 30});
    document.Commit();
    document.Save(Temp("saved.etf"));
    EXPECT_FALSE(document.Modified());
    document.Undo();
    EXPECT_TRUE(document.Modified());
    document.Redo();
    EXPECT_FALSE(document.Modified());
    // Saved, undone and changed otherwise: the saved state is out of reach.
    document.Undo();
    InsertObject(document, ObjectKind::Line, IntRect{0, 0, 50, 0});
    document.Commit();
    document.Undo();
    document.Redo();
    EXPECT_TRUE(document.Modified());
}

TEST_F(DesignerTest, RevertDropsAChangeNotCommitted) {
    DesignDocument document(state);
    document.Open(FixturePath("v24.etf"));
    const std::string opened = document.Serialize(TemplateForm::Binary);
    document.Select({0});
    MoveSelection(document, 50, 50);
    document.Revert();
    EXPECT_TRUE(document.Serialize(TemplateForm::Binary) == opened);
    EXPECT_FALSE(document.CanUndo());
}

}  // namespace
}  // namespace report
