#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/file/template_file.h"
#include "report/core/file/template_json.h"
#include "report/core/file/template_reader.h"
#include "report/core/file/template_writer.h"
#include "report/core/model/band_view.h"
#include "report/core/model/dialog_control.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/picture_view.h"
#include "report/core/model/report.h"
#include "report/core/model/subreport_view.h"
#include "tests/fixtures/fixture_bytes.h"
#include "tests/report/core/support/recording_dialogs.h"

namespace report {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

std::string FixturePath(const std::string& name) {
    const char* source = std::getenv("TOMBAGE_SOURCE_DIR");
    return std::string(source != nullptr ? source : ".") + "/tests/fixtures/" + name;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

const fixtures::Fixture& FixtureNamed(const std::string& name) {
    static const std::vector<fixtures::Fixture> all = fixtures::AllFixtures();
    for (const auto& fixture : all) {
        if (fixture.fileName == name) return fixture;
    }
    throw std::runtime_error("no fixture " + name);
}

class TemplateFileTest : public ::testing::Test {
  protected:
    TemplateFileTest() { state.printer.Start(nullptr); }

    TemplateLoadOutcome Load(Report& report, const std::string& bytes) {
        EngineStream s(bytes);
        return ReadTemplate(report, s);
    }

    std::string Save(Report& report, bool keepPrinter = true) {
        EngineStream s;
        WriteTemplate(report, s, TemplateWriteOptions{keepPrinter});
        return s.TakeBytes();
    }

    // Loads every prefix of a small document of `version` and checks what each one holds.
    void CheckEveryPrefix(int version);

    ModelState state;
    testing::RecordingDialogs dialogs;
};

TEST_F(TemplateFileTest, CommittedFixturesMatchTheirGenerator) {
    for (const fixtures::Fixture& fixture : fixtures::AllFixtures()) {
        SCOPED_TRACE(fixture.fileName);
        EXPECT_EQ(ReadFile(FixturePath(fixture.fileName)), fixture.bytes);
        if (!fixture.converted.empty()) {
            EXPECT_EQ(ReadFile(FixturePath(fixture.fileName + ".converted")), fixture.converted);
        }
    }
}

TEST_F(TemplateFileTest, ConvertingGivesTheVersion24FileTheRulesImply) {
    for (const fixtures::Fixture& fixture : fixtures::AllFixtures()) {
        if (fixture.converted.empty()) continue;
        SCOPED_TRACE(fixture.fileName);
        Report report(state);
        const TemplateLoadOutcome outcome = Load(report, fixture.bytes);
        EXPECT_EQ(outcome, TemplateLoadOutcome::Loaded);
        EXPECT_EQ(Save(report), fixture.converted);
        // Once more: a file the engine wrote comes back byte for byte.
        Report again(state);
        Load(again, fixture.converted);
        EXPECT_EQ(Save(again), fixture.converted);
    }
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(TemplateFileTest, EngineWriterStoresTheSelectedPrinter) {
    Report report(state);
    Load(report, FixtureNamed("v21.etf").bytes);
    EXPECT_EQ(report.printerName, "HP LaserJet 4");
    EngineStream s;
    WriteTemplate(report, s);
    // The virtual printer is selected on a machine without printers: stored as 0x01.
    EXPECT_EQ(s.Bytes().substr(0, 8), std::string("\x18\x01\x00\x00\x00\x01\x00\x01\x00", 8));
}

TEST_F(TemplateFileTest, Version24FieldsLoad) {
    Report report(state);
    ASSERT_EQ(Load(report, FixtureNamed("v24.etf").bytes), TemplateLoadOutcome::Loaded);
    EXPECT_EQ(report.twoPass, 1);
    EXPECT_EQ(report.printerName, "Imprimante virtuelle");
    ASSERT_EQ(report.pages.Count(), 2u);
    const Page& first = report.pages[0];
    EXPECT_EQ(first.orientation, 1);
    EXPECT_EQ(first.width, 2970);
    EXPECT_EQ(first.paperBin, 0xFFFF);
    EXPECT_EQ(first.script.size(), 3u);
    EXPECT_EQ(first.metrics.pageWidth, 1071);
    const Page& dialog = report.pages[1];
    EXPECT_EQ(dialog.type, 1);
    EXPECT_EQ(dialog.name, "Dialogue \xE9t\xE9");
    EXPECT_EQ(dialog.size, 11);
    EXPECT_EQ(dialog.paperBin, 7);
    EXPECT_EQ(dialog.borderStyle, 2);
    EXPECT_EQ(dialog.position, 0);
    EXPECT_EQ(dialog.dialogWidth, 300);
    ASSERT_EQ(first.ObjectCount(), 10u);

    const auto& master = dynamic_cast<const BandView&>(first.ObjectAt(0));
    EXPECT_EQ(master.GetBandType(), BandType::MasterData);
    EXPECT_EQ(master.formatPattern, "userDataset1");
    EXPECT_EQ(master.childBand, "Child1");
    EXPECT_EQ(master.newColumnAfter, 3);
    EXPECT_EQ(dynamic_cast<const BandView&>(first.ObjectAt(1)).master, "MasterData1");

    const auto& memo = dynamic_cast<const MemoView&>(first.ObjectAt(2));
    EXPECT_EQ(memo.name, "Memo1");
    EXPECT_EQ(memo.flags, 67 | 0x8000);
    EXPECT_EQ(memo.frameWidth, 2.25f);
    EXPECT_EQ(memo.frameStyle, 5);
    EXPECT_EQ(memo.formatCode, 0x0104022C);
    EXPECT_EQ(memo.memo.size(), 3u);
    EXPECT_EQ(memo.script[1], "  Memo1.Font.Style := 2;");
    EXPECT_EQ(memo.tag, "[Num]");
    EXPECT_EQ(memo.bandAlign, 5);
    EXPECT_EQ(memo.gapX, 4);
    EXPECT_EQ(memo.font.name, "Times New Roman");
    EXPECT_EQ(memo.font.style, 3);
    EXPECT_EQ(memo.font.charset, 0);
    EXPECT_EQ(memo.highlight.condition, "[Num] > 10");
    EXPECT_EQ(memo.lineSpacing, 4);
    EXPECT_EQ(memo.charSpacing, 1);
    const auto& hidden = dynamic_cast<const MemoView&>(first.ObjectAt(3));
    EXPECT_FALSE(hidden.IsVisible());
    EXPECT_EQ(hidden.frameWidth, 0.5f);
    EXPECT_TRUE(hidden.memo.empty());

    const GraphicKind kinds[] = {GraphicKind::Bitmap, GraphicKind::Metafile, GraphicKind::Icon,
                                 GraphicKind::None};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const auto& picture = dynamic_cast<const PictureView&>(first.ObjectAt(4 + i));
        EXPECT_EQ(picture.picture.kind, kinds[i]);
        EXPECT_EQ(picture.picture.data.empty(), i == 3);
    }
    EXPECT_EQ(dynamic_cast<const PictureView&>(first.ObjectAt(4)).picture.data.substr(0, 2), "BM");
    EXPECT_EQ(dynamic_cast<const SubReportView&>(first.ObjectAt(9)).subReportPage, 1);

    EXPECT_EQ(report.dictionary.Categories(), (std::vector<std::string>{"Equipes", "Divers"}));
    EXPECT_EQ(report.dictionary.VariablesOf("Equipes"), (std::vector<std::string>{"Nom", "Total"}));
    EXPECT_EQ(report.dictionary.AliasOf("userDataset1"), "Matches");
    EXPECT_EQ(report.dictionary.RealBandSourceName("tirage"), "userDataset1");
}

TEST_F(TemplateFileTest, OldVersionsLoad) {
    Report headerless(state);
    ASSERT_EQ(Load(headerless, FixtureNamed("v21_headerless.etf").bytes),
              TemplateLoadOutcome::Loaded);
    ASSERT_EQ(headerless.pages.Count(), 1u);
    EXPECT_EQ(headerless.pages[0].name, "Page1");
    EXPECT_EQ(headerless.pages[0].leftMargin, 10);
    EXPECT_EQ(headerless.pages[0].paperBin, 0xFFFF);
    const auto& memo = dynamic_cast<const MemoView&>(headerless.pages[0].ObjectAt(1));
    EXPECT_EQ(memo.name, "Memo1");
    EXPECT_TRUE(memo.HasFlag(view_flag::kWordWrap));
    EXPECT_EQ(memo.memo, (StringList{"Match [Num]", "[joueur1]"}));
    EXPECT_EQ(memo.font.charset, 1);
    EXPECT_EQ(headerless.dictionary.Categories(), (std::vector<std::string>{"Joueurs", "Dates"}));
    EXPECT_EQ(headerless.dictionary.variables.Get("Joueur").ToText(), "Source.\"Nom du joueur\"");
    EXPECT_EQ(headerless.dictionary.fieldAliases.Count(), 0);

    Report v22(state);
    ASSERT_EQ(Load(v22, FixtureNamed("v22.etf").bytes), TemplateLoadOutcome::Loaded);
    EXPECT_EQ(v22.pages[0].orientation, 1);
    EXPECT_TRUE(dynamic_cast<const MemoView&>(v22.pages[0].ObjectAt(1)).memo.empty());
    EXPECT_EQ(v22.pages[0].ObjectAt(2).flags, 0);  // WordWrap is forced for version 21 only

    Report v21(state);
    Load(v21, FixtureNamed("v21.etf").bytes);
    EXPECT_EQ(v21.pages[0].size, 256);
    EXPECT_EQ(v21.pages[0].width, 1000);
    EXPECT_EQ(v21.pages[1].size, 8);
    EXPECT_EQ(dynamic_cast<const MemoView&>(v21.pages[1].ObjectAt(1)).memo,
              (StringList{"a", "", "b"}));
}

TEST_F(TemplateFileTest, UnknownAddInClassLoadsTheOtherObjects) {
    Report report(state);
    EXPECT_EQ(Load(report, FixtureNamed("v24_unknown_addin.etf").bytes),
              TemplateLoadOutcome::MissingClasses);
    ASSERT_EQ(report.pages.Count(), 1u);
    ASSERT_EQ(report.pages[0].ObjectCount(), 2u);
    EXPECT_EQ(report.pages[0].ObjectAt(0).name, "A");
    EXPECT_EQ(report.pages[0].ObjectAt(1).name, "C");
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text,
              "Opened report contains the following non-plugged components:\r"
              "TCaseACocherTierce\rUse appropriate component from the report component palette");
    EXPECT_EQ(dialogs.boxes[0].caption, "Erreur");
}

TEST_F(TemplateFileTest, DamagedFiles) {
    Report report(state);
    Load(report, FixtureNamed("v24.etf").bytes);
    ASSERT_EQ(report.pages.Count(), 2u);

    // Version 25: refused, the pages stay.
    EXPECT_EQ(Load(report, FixtureNamed("v25.etf").bytes), TemplateLoadOutcome::Unsupported);
    EXPECT_EQ(report.pages.Count(), 2u);
    EXPECT_EQ(report.dictionary.variables.Count(), 0);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Format ETF non support\xE9");

    // An unknown section byte: one empty page remains.
    EXPECT_EQ(Load(report, FixtureNamed("v24_bad_section.etf").bytes),
              TemplateLoadOutcome::Unsupported);
    ASSERT_EQ(report.pages.Count(), 1u);
    EXPECT_EQ(report.pages[0].ObjectCount(), 0u);
    EXPECT_EQ(dialogs.boxes.size(), 2u);

    // A truncated file loads what it holds, silently.
    EXPECT_EQ(Load(report, FixtureNamed("v24_truncated.etf").bytes), TemplateLoadOutcome::Loaded);
    EXPECT_EQ(report.pages.Count(), 2u);
    EXPECT_GE(report.pages[0].ObjectCount(), 3u);
    EXPECT_EQ(dialogs.boxes.size(), 2u);

    // An empty stream only empties the dictionary.
    Load(report, FixtureNamed("v24.etf").bytes);
    EXPECT_EQ(Load(report, ""), TemplateLoadOutcome::Empty);
    EXPECT_EQ(report.pages.Count(), 2u);
    EXPECT_EQ(report.dictionary.variables.Count(), 0);
}

// Where each section of a rendered document begins: pages, objects, then the dictionary.
struct SectionStarts {
    std::vector<size_t> pages;
    std::vector<size_t> objects;
    size_t dictionary = 0;
};

SectionStarts StartsOf(const fixtures::DocumentSpec& document, int version) {
    SectionStarts starts;
    fixtures::DocumentSpec part = document;
    part.hasDictionary = false;
    part.objects.clear();
    for (size_t i = 0; i < document.pages.size(); ++i) {
        part.pages.assign(document.pages.begin(), document.pages.begin() + i);
        starts.pages.push_back(fixtures::Render(part, version).size());
    }
    part.pages = document.pages;
    for (size_t i = 0; i < document.objects.size(); ++i) {
        part.objects.assign(document.objects.begin(), document.objects.begin() + i);
        starts.objects.push_back(fixtures::Render(part, version).size());
    }
    part.objects = document.objects;
    starts.dictionary = fixtures::Render(part, version).size();
    return starts;
}

size_t CountBefore(const std::vector<size_t>& starts, size_t length) {
    size_t count = 0;
    for (size_t start : starts)
        count += start < length ? 1 : 0;
    return count;
}

size_t ObjectCount(const Report& report) {
    size_t count = 0;
    for (const auto& page : report.pages)
        count += page->ObjectCount();
    return count;
}

TEST_F(TemplateFileTest, EveryPrefixOfAFileLoadsWhatItHolds) {
    for (int version : {22, 23, 24}) {
        SCOPED_TRACE(version);
        dialogs.boxes.clear();
        CheckEveryPrefix(version);
    }
}

void TemplateFileTest::CheckEveryPrefix(int version) {
    fixtures::DocumentSpec d;
    fixtures::PageSpec first, second;
    first.name = "Page1";
    second.name = "Page2";
    d.pages = {first, second};
    fixtures::ObjectSpec memo, band, line;
    memo.name = "A";
    memo.memo = {"[Num]"};
    band.type = 2;
    band.page = 1;
    band.name = "B";
    line.type = 4;
    line.name = "C";
    d.objects = {memo, band, line};
    d.dictionary.variables = {{" Tirage", ""}, {"Num", "1"}};
    // Version 22 stores no object names: complete objects get the designer's names.
    const std::vector<std::string> names =
        version >= 23 ? std::vector<std::string>{"A", "B", "C"}
                      : std::vector<std::string>{"Memo1", "Band1", "Line1"};
    const std::string full = fixtures::Render(d, version);
    const SectionStarts starts = StartsOf(d, version);
    ASSERT_EQ(starts.dictionary + 1 < full.size(), true);

    for (size_t length = 0; length <= full.size(); ++length) {
        SCOPED_TRACE(length);
        Report report(state);
        const TemplateLoadOutcome outcome = Load(report, full.substr(0, length));
        if (length == 0) {
            EXPECT_EQ(outcome, TemplateLoadOutcome::Empty);
            EXPECT_EQ(report.pages.Count(), 0u);
            continue;
        }
        // Without the two bytes of its marker, the dictionary reads as the old layout, whose
        // entry count is read length-checked: the load fails and leaves one empty page.
        if (length == starts.dictionary + 1 || length == starts.dictionary + 2) {
            EXPECT_EQ(outcome, TemplateLoadOutcome::Unsupported);
            ASSERT_EQ(report.pages.Count(), 1u);
            EXPECT_EQ(report.pages[0].ObjectCount(), 0u);
            continue;
        }
        // Otherwise whatever has begun is there: every page and object whose section byte the
        // prefix holds, and the names of the objects whose record it holds whole.
        EXPECT_EQ(outcome, TemplateLoadOutcome::Loaded);
        EXPECT_EQ(report.pages.Count(), CountBefore(starts.pages, length));
        ASSERT_EQ(ObjectCount(report), CountBefore(starts.objects, length));
        for (size_t i = 0; i < starts.objects.size(); ++i) {
            const size_t end =
                i + 1 < starts.objects.size() ? starts.objects[i + 1] : starts.dictionary;
            if (length < end) continue;
            EXPECT_NE(report.pages[d.objects[i].page].FindObject(names[i]), nullptr) << names[i];
        }
        if (length == full.size()) {
            EXPECT_EQ(report.dictionary.variables.Count(), 2);
            EXPECT_EQ(dynamic_cast<const MemoView&>(report.pages[0].ObjectAt(0)).memo,
                      StringList{"[Num]"});
        }
    }
    EXPECT_EQ(dialogs.boxes.size(), 2u);  // the two failed loads only
}

// Old files have no end positions: after a picture cut short the reader goes on inside the
// graphic's bytes, so only the outcome's shape is certain.
TEST_F(TemplateFileTest, EveryPrefixOfAnOldFileLoadsOrFailsWhole) {
    for (const char* name : {"v21_headerless.etf", "v22.etf", "v23.etf"}) {
        const std::string bytes = FixtureNamed(name).bytes;
        for (size_t length = 0; length <= bytes.size(); ++length) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(length));
            Report report(state);
            const TemplateLoadOutcome outcome = Load(report, bytes.substr(0, length));
            if (length == 0) {
                EXPECT_EQ(outcome, TemplateLoadOutcome::Empty);
            } else if (outcome == TemplateLoadOutcome::Unsupported) {
                // A failure outside an object record: all pages give way to one empty page.
                ASSERT_EQ(report.pages.Count(), 1u);
                EXPECT_EQ(report.pages[0].ObjectCount(), 0u);
            } else {
                EXPECT_EQ(outcome, TemplateLoadOutcome::Loaded);
            }
        }
    }
}

TEST_F(TemplateFileTest, BackwardEndPositionDoesNotLoop) {
    std::string bytes = FixtureNamed("v24_bad_object.etf").bytes;
    // Point every object's end position at the start of the file.
    Report probe(state);
    size_t at = bytes.find(std::string("\x00\x00\x01\x00", 4));  // an object's page byte + end
    ASSERT_NE(at, std::string::npos);
    for (size_t i = 0; i + 6 < bytes.size(); ++i) {
        if (bytes[i] == '\0' && static_cast<unsigned char>(bytes[i + 1]) == 0 &&
            static_cast<unsigned char>(bytes[i + 2]) < 0x02 && bytes[i + 3] == 0 &&
            bytes[i + 4] == 0 && static_cast<unsigned char>(bytes[i + 5]) == 1) {
            bytes[i + 2] = 0;
        }
    }
    Report report(state);
    Load(report, bytes);  // must return
    SUCCEED();
}

TEST_F(TemplateFileTest, ManyUnnamedObjectsAreNamedInOrder) {
    fixtures::DocumentSpec d;
    for (int p = 0; p < 300; ++p) {
        fixtures::PageSpec page;
        page.marker = false;
        d.pages.push_back(page);
    }
    for (int i = 0; i < 6000; ++i) {
        fixtures::ObjectSpec memo;
        memo.page = static_cast<uint8_t>(i % 200);
        memo.memo = {"x"};
        d.objects.push_back(memo);
    }
    d.objects[10].type = 4;  // a line among the text objects
    Report report(state);
    ASSERT_EQ(Load(report, fixtures::Render(d, 22)), TemplateLoadOutcome::Loaded);
    ASSERT_EQ(report.pages.Count(), 300u);
    EXPECT_EQ(report.pages[299].name, "Page300");
    EXPECT_EQ(report.pages[0].ObjectAt(0).name, "Memo1");
    EXPECT_EQ(report.pages[10].ObjectAt(0).name, "Line1");
    EXPECT_EQ(report.pages[11].ObjectAt(0).name, "Memo11");
    EXPECT_EQ(report.pages[199].ObjectAt(29).name, "Memo5999");
    // Outside a load, names are searched in the report as it stands.
    report.pages[0].ObjectAt(0).name = "Ancien";
    auto& added = report.pages[0].Add(state.factory.CreateViewByType(0));
    added.GenerateName();
    EXPECT_EQ(added.name, "Memo1");
}

TEST_F(TemplateFileTest, ObjectsPastThe256thPageAreRefusedNotCorrupted) {
    Report report(state);
    for (int p = 0; p < 300; ++p)
        report.AddPage();
    report.pages[255].Add(state.factory.CreateViewByType(0)).name = "Dernier";
    // Pages past the limit may exist while they are empty.
    Report loaded(state);
    ASSERT_EQ(Load(loaded, Save(report)), TemplateLoadOutcome::Loaded);
    ASSERT_EQ(loaded.pages.Count(), 300u);
    EXPECT_EQ(loaded.pages[255].ObjectAt(0).name, "Dernier");

    report.pages[256].Add(state.factory.CreateViewByType(4));
    report.pages[299].Add(state.factory.CreateViewByType(4));
    EngineStream s;
    EXPECT_THAT([&] { WriteTemplate(report, s); },
                ThrowsMessage<EngineError>(StrEq(
                    "Impossible d'enregistrer le mod\xE8le : la page 257 contient des objets, mais "
                    "un mod\xE8le ne peut placer des objets que sur ses 256 premi\xE8res pages")));
    EXPECT_EQ(s.Size(), 0u);
    const std::string path = ::testing::TempDir() + "/template_file_test_trop_de_pages.etf";
    std::remove(path.c_str());
    EXPECT_THROW(SaveTemplateFile(report, path), EngineError);
    EXPECT_FALSE(std::ifstream(path).good());
    report.storeInForm = true;
    EngineStream form;
    EXPECT_THROW(WriteReportFormProperty(report, form), EngineError);
    EXPECT_EQ(form.Size(), 0u);
    // The JSON form of such a report is refused when read, before any save.
    Report fromJson(state);
    EXPECT_THROW(JsonToTemplate(TemplateToJson(report), fromJson), EngineError);
}

// A dialog control that stores nothing beyond the common record.
class LookupControl : public DialogControl {
  public:
    LookupControl() : DialogControl("DBLookupControl") {}
};

TEST_F(TemplateFileTest, LegacyLookupControlNamesMapToTheirSuccessor) {
    fixtures::DocumentSpec d;
    fixtures::PageSpec page;
    page.name = "Page1";
    d.pages = {page};
    fixtures::ObjectSpec bde, ibx;
    bde.type = ibx.type = 10;
    bde.className = "BDELookupControl";
    bde.name = "Liste1";
    ibx.className = "ibxlookupcontrol";
    ibx.name = "Liste2";
    d.objects = {bde, ibx};
    const std::string bytes = fixtures::Render(d, 24);

    // Without the class, the box names the successor, once per object.
    Report missing(state);
    EXPECT_EQ(Load(missing, bytes), TemplateLoadOutcome::MissingClasses);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_NE(dialogs.boxes[0].text.find(":\rDBLookupControl\rDBLookupControl\rUse"),
              std::string::npos);

    ModelState withAddIn;
    withAddIn.printer.Start(nullptr);
    ASSERT_TRUE(withAddIn.factory.RegisterAddIn(
        {"DBLookupControl", [] { return std::make_unique<LookupControl>(); }, ""}));
    Report report(withAddIn);
    ASSERT_EQ(Load(report, bytes), TemplateLoadOutcome::Loaded);
    ASSERT_EQ(report.pages[0].ObjectCount(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(report.pages[0].ObjectAt(i).ClassName(), "DBLookupControl");
        EXPECT_EQ(report.pages[0].ObjectAt(i).name, i == 0 ? "Liste1" : "Liste2");
    }
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}

TEST_F(TemplateFileTest, UnknownObjectTypesAreSkipped) {
    fixtures::DocumentSpec d;
    fixtures::PageSpec page;
    page.name = "Page1";
    d.pages = {page};
    fixtures::ObjectSpec a, b, c;
    a.name = "A";
    b.name = "B";
    b.type = 7;  // no class has this code: the record is skipped by its end position
    c.name = "C";
    c.type = 4;
    d.objects = {a, b, c};
    Report report(state);
    ASSERT_EQ(Load(report, fixtures::Render(d, 24)), TemplateLoadOutcome::Loaded);
    ASSERT_EQ(report.pages[0].ObjectCount(), 2u);
    EXPECT_EQ(report.pages[0].ObjectAt(0).name, "A");
    EXPECT_EQ(report.pages[0].ObjectAt(1).name, "C");
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(TemplateFileTest, FrameWidthsSurvive) {
    for (float width : {0.5f, 1.0f, 2.25f, 10.0f, 12.0f, 0.0f}) {
        SCOPED_TRACE(width);
        Report report(state);
        Page& page = report.AddPage();
        auto& memo = static_cast<MemoView&>(page.Add(state.factory.CreateViewByType(0)));
        memo.frameWidth = width;
        Report loaded(state);
        Load(loaded, Save(report));
        ASSERT_EQ(loaded.pages[0].ObjectCount(), 1u);
        EXPECT_EQ(loaded.pages[0].ObjectAt(0).frameWidth, width);
    }
    EXPECT_EQ(EncodeFrameWidth(2.25f), 2250);
    EXPECT_EQ(EncodeFrameWidth(10.0f), 10);
    // Fractions that thousandths cannot tell from whole widths take the nearest whole width.
    EXPECT_EQ(EncodeFrameWidth(0.004f), 0);
    EXPECT_EQ(EncodeFrameWidth(0.0098f), 0);
    EXPECT_EQ(EncodeFrameWidth(-0.5f), 0);
    EXPECT_EQ(EncodeFrameWidth(-1.75f), -2);
    EXPECT_EQ(EncodeFrameWidth(0.011f), 11);
    EXPECT_EQ(DecodeFrameWidth(500), 0.5f);
}

TEST_F(TemplateFileTest, ReportFormProperty) {
    Report report(state);
    report.AddPage();
    EngineStream empty(std::string("\x18\x00\x00\x00", 4));
    ReadReportFormProperty(report, empty);
    EXPECT_EQ(report.pages.Count(), 1u);
    EngineStream written;
    WriteReportFormProperty(report, written);
    EXPECT_EQ(written.Bytes(), std::string("\x18\x00\x00\x00", 4));

    Report source(state);
    Load(source, FixtureNamed("v24.etf").bytes);
    source.storeInForm = true;
    EngineStream form;
    WriteReportFormProperty(source, form);
    Report target(state);
    target.storeInForm = true;
    form.Seek(0);
    ReadReportFormProperty(target, form);
    EXPECT_EQ(target.pages.Count(), 2u);
    EXPECT_EQ(target.pages[0].ObjectCount(), 10u);
}

TEST_F(TemplateFileTest, TemplateAndDictionaryFiles) {
    const std::string path = ::testing::TempDir() + "/template_file_test_modele.etf";
    Report report(state);
    EXPECT_FALSE(LoadTemplateFile(report, ::testing::TempDir() + "/template_file_test_absent.etf"));
    EXPECT_EQ(report.fileName, "Sans_nom");
    Load(report, FixtureNamed("v24.etf").bytes);
    SaveTemplateFile(report, path);
    Report loaded(state);
    EXPECT_TRUE(LoadTemplateFile(loaded, path));
    EXPECT_EQ(loaded.fileName, path);
    EXPECT_EQ(loaded.pages[0].ObjectCount(), 10u);

    DataDictionary dictionary;
    dictionary.LoadDictionaryFile(FixturePath("dictionnaire.etd"));
    EXPECT_EQ(dictionary.Categories(), std::vector<std::string>{"Tirage"});
    EXPECT_EQ(dictionary.variables.Get("equipes").ToText(), "[Num] + 1");
    const std::string etd = ::testing::TempDir() + "/template_file_test_dico.etd";
    dictionary.SaveDictionaryFile(etd);
    EXPECT_EQ(ReadFile(etd), ReadFile(FixturePath("dictionnaire.etd")));
}

}  // namespace
}  // namespace report
