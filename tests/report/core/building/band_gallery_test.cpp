// The band gallery: one row per file of tests/fixtures/gallery/. Each file holds a template in
// its JSON form, the records of `userDataset1`, the values answered for names by record, and
// the pages the build must give (the texts of the objects in writing order, with their tops
// where the place is the point). Every build also keeps the layout rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "report/core/base/dialogs.h"
#include "report/core/base/errors.h"
#include "report/core/base/json.h"
#include "report/core/base/text.h"
#include "report/core/building/band.h"
#include "report/core/building/layout_invariants.h"
#include "report/core/building/line_height_measurer.h"
#include "report/core/building/page_recorder.h"
#include "report/core/building/report_builder.h"
#include "report/core/building/view_build_access.h"
#include "report/core/data/component.h"
#include "report/core/data/dataset.h"
#include "report/core/file/template_json.h"
#include "report/core/language/engine_core.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"

namespace report {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> GalleryFiles() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(TOMBAGE_GALLERY_DIR))
        if (entry.path().extension() == ".json") files.push_back(entry.path().stem().string());
    std::sort(files.begin(), files.end());
    return files;
}

// A JSON value answered for a name: numbers as numbers, texts in Windows-1252.
Variant ValueOf(const JsonValue& json) {
    if (json.GetKind() == JsonValue::Kind::String)
        return Variant::String(Utf8ToCp1252(json.AsString("value")));
    const float number = json.AsFloat("value");
    if (number == static_cast<float>(static_cast<int32_t>(number)))
        return Variant::Int32(static_cast<int32_t>(number));
    return Variant::Double(number);
}

// One expected object: its text, and where given its top, left and font style.
struct Expected {
    std::string text;
    const JsonValue* json = nullptr;
};

class BandGallery : public ::testing::TestWithParam<std::string> {
  protected:
    BandGallery() {
        state.printer.Start(nullptr);
        state.globalVariables = &core.GlobalVariables();
        state.evaluate = [this](const std::string& text) {
            return core.SharedParser().Evaluate(text);
        };
        data.rangeEnd = RangeEnd::reCount;
        form.Add(data);
        report.SetOwnerForm(&form);
        report.dataset = &data;
        report.showProgress = false;
        InstallDialogs(&dialogs);
    }
    ~BandGallery() override { InstallDialogs(nullptr); }

    ModelState state;
    EngineCore core;
    Report report{state};
    UserDataset data{"userDataset1"};
    ComponentOwner form;
    PageRecorder pages;
    LineHeightMeasurer measurer{16};
    SilentDialogs dialogs;
};

TEST_P(BandGallery, BuildsTheExpectedPagesAndKeepsTheLayoutRules) {
    const std::filesystem::path path =
        std::filesystem::path(TOMBAGE_GALLERY_DIR) / (GetParam() + ".json");
    const JsonValue row = ParseJson(ReadFile(path));
    SCOPED_TRACE(path.filename().string());
    if (const JsonValue* about = row.Find("about")) SCOPED_TRACE(about->AsString("about"));

    JsonToTemplate(*row.Find("template"), report);
    const JsonValue* records = row.Find("records");
    data.rangeEndCount =
        records != nullptr ? static_cast<int>(records->AsInt("records", 0, 1000)) : 0;
    // Values by record number; outside the data loop the nearest record's.
    std::map<std::string, std::vector<Variant>> values;
    if (const JsonValue* table = row.Find("values"))
        for (const auto& [name, column] : table->AsObject("values"))
            for (const JsonValue& value : column.AsArray(name))
                values[name].push_back(ValueOf(value));
    report.onGetValue = [&](const std::string& name, Variant& value) {
        const auto found = values.find(name);
        if (found == values.end() || found->second.empty()) return;
        const int last = static_cast<int>(found->second.size()) - 1;
        value = found->second[static_cast<size_t>(std::clamp(data.RecordNo(), 0, last))];
    };
    std::vector<int> endPages;
    report.onEndPage = [&](int index) { endPages.push_back(index); };
    BuildWatch watch(pages);
    watch.Attach(report);

    bool built = false;
    std::string error;
    const auto build = [&] {
        ReportBuilder builder(report, core, pages, measurer);
        try {
            built = builder.BuildReport();
            error = builder.ErrorText();
        } catch (const EngineError& e) {
            error = e.what();
        }
    };
    if (const JsonValue* refused = row.Find("refused"); refused && refused->AsBool("refused")) {
        // Refused either way: an EngineError, or a false build that says why. A template that
        // makes the build recurse without end must not take the other rows down with it: the
        // build runs in a child process.
        EXPECT_EXIT(
            {
                build();
                std::exit(!built && !error.empty() && pages.PageCount() == 0 ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "");
        return;
    }
    if (const JsonValue* any = row.Find("anyOutcome"); any && any->AsBool("anyOutcome")) {
        // Damaged input: built or refused, but the program goes on.
        EXPECT_EXIT(
            {
                build();
                std::exit(0);
            },
            ::testing::ExitedWithCode(0), "");
        return;
    }
    build();
    ASSERT_TRUE(built) << Cp1252ToUtf8(error);

    const auto& expectedPages = row.Find("pages")->AsArray("pages");
    EXPECT_EQ(pages.PageCount(), static_cast<int>(expectedPages.size())) << pages.Listing();
    for (size_t p = 0; p < expectedPages.size() && p < pages.Pages().size(); ++p) {
        SCOPED_TRACE("page " + std::to_string(p + 1));
        std::vector<Expected> expected;
        for (const JsonValue& item : expectedPages[p].AsArray("page")) {
            if (item.GetKind() == JsonValue::Kind::String)
                expected.push_back({Utf8ToCp1252(item.AsString("text")), nullptr});
            else
                expected.push_back({Utf8ToCp1252(item.Find("text")->AsString("text")), &item});
        }
        std::vector<std::string> wanted;
        for (const Expected& e : expected)
            wanted.push_back(e.text);
        EXPECT_EQ(pages.Texts(static_cast<int>(p)), wanted) << pages.Listing();
        const auto& objects = pages.Pages()[p].objects;
        for (size_t i = 0; i < expected.size() && i < objects.size(); ++i) {
            if (expected[i].json == nullptr) continue;
            SCOPED_TRACE("object " + std::to_string(i + 1) + " " + objects[i].name);
            const JsonValue& e = *expected[i].json;
            if (const JsonValue* top = e.Find("top")) {
                EXPECT_EQ(objects[i].top, top->AsInt("top", -100000, 100000));
            }
            if (const JsonValue* left = e.Find("left")) {
                EXPECT_EQ(objects[i].left, left->AsInt("left", -100000, 100000));
            }
            if (const JsonValue* style = e.Find("fontStyle")) {
                EXPECT_EQ(objects[i].fontStyle, style->AsInt("fontStyle", 0, 15));
            }
            if (const JsonValue* tag = e.Find("tag")) {
                EXPECT_EQ(objects[i].tag, Utf8ToCp1252(tag->AsString("tag")));
            }
        }
    }
    if (const JsonValue* wantedEnds = row.Find("onEndPage")) {
        std::vector<int> wanted;
        for (const JsonValue& index : wantedEnds->AsArray("onEndPage"))
            wanted.push_back(static_cast<int>(index.AsInt("onEndPage", -1, 1000)));
        EXPECT_EQ(endPages, wanted);
    }

    LayoutCheck check;
    check.geometry = PageGeometries(report);
    check.pageStarts = &watch.PageStarts();
    if (const JsonValue* complete = row.Find("completeBands"))
        for (const auto& [band, count] : complete->AsObject("completeBands"))
            check.completeBands[band] = static_cast<int>(count.AsInt(band, 0, 1000));
    for (const std::string& violation : LayoutViolations(pages, check))
        ADD_FAILURE() << violation << "\n" << pages.Listing();
}

INSTANTIATE_TEST_SUITE_P(Rows, BandGallery, ::testing::ValuesIn(GalleryFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

// The rules themselves, on pages written by hand: the rows above only show that sound builds
// keep them.
TEST(LayoutRules, ReportWhatLeavesItsPlaceAndNothingElse) {
    ModelState state;
    state.printer.Start(nullptr);
    Report report(state);
    // Printable 50 to 250, page footer 20: bands end at 230 at most.
    JsonToTemplate(ParseJson(R"({"pages": [{"topMargin": 50, "bottomMargin": 821, "objects": [
        {"class": "BandView", "bandType": "PageFooter", "top": 400, "height": 20}]}]})"),
                   report);
    Page& page = report.pages[0];
    const LayoutCheck check{PageGeometries(report), nullptr, {}};
    ASSERT_EQ(check.geometry.at(page.name).bottom, 250);

    struct Placed {
        int kind, bandTop, bandHeight, top, height;
    };
    struct Case {
        const char* what;
        std::vector<Placed> objects;  // in writing order
        bool broken;
    };
    const int data = band_type::kMasterData;
    const Case cases[] = {
        {"ends on the last line above the footer", {{data, 210, 20, 212, 18}}, false},
        {"reaches into the footer", {{data, 216, 20, 216, 16}}, true},
        {"footer inside the page", {{band_type::kPageFooter, 230, 20, 232, 16}}, false},
        {"footer below the page", {{band_type::kPageFooter, 240, 20, 242, 16}}, true},
        {"overlay anywhere", {{band_type::kOverlay, 600, 20, 20, 600}}, false},
        {"none band anywhere", {{band_type::kNone, 0, 0, 900, 16}}, false},
        {"above the top margin", {{data, 40, 20, 40, 16}}, true},
        {"drawn taller than its band", {{data, 190, 20, 192, 100}}, false},
        {"band taller than the page on a fresh page",
         {{band_type::kPageHeader, 50, 20, 52, 16}, {data, 70, 242, 72, 240}},
         false},
        {"band taller than the page after other data",
         {{data, 50, 20, 52, 16}, {data, 70, 242, 72, 240}},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PageRecorder pages;
        pages.AddPage(page);
        std::vector<std::unique_ptr<Band>> bands;
        std::vector<std::unique_ptr<MemoView>> memos;
        for (const Placed& p : c.objects) {
            bands.push_back(std::make_unique<Band>(p.kind, page));
            bands.back()->top = p.bandTop;
            bands.back()->height = p.bandHeight;
            memos.push_back(std::make_unique<MemoView>());
            MemoView& memo = *memos.back();
            memo.top = p.top;
            memo.height = p.height;
            SetParentBand(memo, bands.back().get());
            pages.WriteObject(0, memo);
        }
        const std::vector<std::string> found = LayoutViolations(pages, check);
        EXPECT_EQ(!found.empty(), c.broken) << (found.empty() ? "" : found.front());
    }

    // Pages announced out of order, or fewer than prepared.
    PageRecorder pages;
    pages.AddPage(page);
    pages.AddPage(page);
    const std::vector<BuildWatch::PageStart> skipped = {{0, 1}};
    const std::vector<BuildWatch::PageStart> twice = {{0, 1}, {0, 2}};
    const std::vector<BuildWatch::PageStart> sound = {{0, 1}, {1, 2}};
    for (const auto* starts : {&skipped, &twice, &sound}) {
        LayoutCheck withStarts = check;
        withStarts.pageStarts = starts;
        EXPECT_EQ(LayoutViolations(pages, withStarts).empty(), starts == &sound);
    }
}

}  // namespace
}  // namespace report
