// The print job, over a recording print device and a scripted printing system.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "report/core/base/errors.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/core/output/page_list.h"
#include "report/core/output/print_destination.h"
#include "report/core/output/print_job.h"
#include "report/core/prepared/prepared_pages.h"
#include "tests/report/core/support/a4_pages.h"
#include "tests/report/core/support/fake_print_service.h"

namespace report {
namespace {

// Every call the job makes, as text: "copies 3", "begin Titre", "new", "paint 2", "end",
// "abort".
class RecordingDevice : public PrintDevice {
  public:
    std::vector<std::string> calls;
    void SetCopyCount(int copies) override { calls.push_back("copies " + std::to_string(copies)); }
    void BeginDocument(const std::string& title) override { calls.push_back("begin " + title); }
    void NewPage() override { calls.push_back("new"); }
    void EndDocument() override { calls.push_back("end"); }
    void AbortDocument() override { calls.push_back("abort"); }
};

class PrintJobTest : public ::testing::Test {
  protected:
    testing::FakePrintService service;
    ModelState state;
    std::unique_ptr<Report> report;
    std::unique_ptr<PreparedPages> pages;
    RecordingDevice device;

    void SetUp() override {
        state.printer.Start(&service);
        report = std::make_unique<Report>(state);
        report->AddPage();
    }

    void MakePages(int count, const std::vector<uint8_t>& orientations = {}) {
        pages = testing::A4Pages(*report, count, orientations);
    }

    PrintJob Job() {
        return PrintJob(*pages, state.printer, device, [this](int index, const IntRect&) {
            device.calls.push_back("paint " + std::to_string(index + 1));
        });
    }

    static std::vector<std::string> Calls(std::initializer_list<const char*> calls) {
        return {calls.begin(), calls.end()};
    }
};

TEST_F(PrintJobTest, CopiesCollationAndParityDecideTheOrderOfPages) {
    struct Case {
        const char* name;
        int pageCount;
        const char* pageList;
        int copies;
        bool collate;
        uint8_t parity;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases{
        {"the page list 2", 3, "2", 1, true, 0,
         Calls({"copies 1", "begin Sans_nom", "paint 2", "end"})},
        {"three collated copies", 2, "", 3, true, 0,
         Calls({"copies 1", "begin Sans_nom", "paint 1", "new", "paint 2", "new", "paint 1", "new",
                "paint 2", "new", "paint 1", "new", "paint 2", "end"})},
        {"three uncollated copies", 2, "", 3, false, 0,
         Calls({"copies 3", "begin Sans_nom", "paint 1", "new", "paint 2", "end"})},
        {"odd pages of 2-5", 6, "2-5", 1, true, 1,
         Calls({"copies 1", "begin Sans_nom", "paint 3", "new", "paint 5", "end"})},
        {"even pages, two collated copies", 3, "", 2, true, 2,
         Calls({"copies 1", "begin Sans_nom", "paint 2", "new", "paint 2", "end"})},
        {"even pages uncollated", 4, "", 2, false, 2,
         Calls({"copies 2", "begin Sans_nom", "paint 2", "new", "paint 4", "end"})},
        {"no copies", 2, "", 0, true, 0,
         Calls({"copies 1", "begin Sans_nom", "paint 1", "new", "paint 2", "end"})},
        {"negative copies uncollated", 1, "", -4, false, 0,
         Calls({"copies 1", "begin Sans_nom", "paint 1", "end"})},
        {"a list out of order", 4, "4,1", 1, true, 0,
         Calls({"copies 1", "begin Sans_nom", "paint 1", "new", "paint 4", "end"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device.calls.clear();
        MakePages(c.pageCount);
        PrintJob job = Job();
        EXPECT_TRUE(job.PrintPages({c.pageList, c.copies, c.collate, c.parity}));
        EXPECT_EQ(device.calls, c.calls);
    }
}

TEST_F(PrintJobTest, AChangeOfPaperStartsANewDocument) {
    MakePages(4, {0, 1, 1, 0});
    PrintJob job = Job();
    job.title = "Tirage";
    ASSERT_TRUE(job.PrintPages({"", 1, true, 0}));
    EXPECT_EQ(device.calls, Calls({"copies 1", "begin Tirage", "paint 1", "end", "copies 1",
                                   "begin Tirage", "paint 2", "new", "paint 3", "end", "copies 1",
                                   "begin Tirage", "paint 4", "end"}));
    EXPECT_EQ(service.settings.orientation, 0);
}

// Each document is begun for a page that prints, on that page's paper, and asks for the
// copies again: setting a paper may reset the printer's copy count.
TEST_F(PrintJobTest, DocumentsBeginOnlyForPrintedPagesWithTheirCopies) {
    struct Case {
        const char* name;
        std::vector<uint8_t> orientations;
        const char* pageList;
        int copies;
        bool collate;
        uint8_t parity;
        std::vector<std::string> calls;
        uint8_t firstOrientation;  // the printer's when the first document began
    };
    const std::vector<Case> cases{
        {"the list starts on another paper than page 1",
         {0, 1, 1},
         "2-3",
         1,
         true,
         0,
         Calls({"copies 1", "begin Sans_nom", "paint 2", "new", "paint 3", "end"}),
         1},
        {"even pages only, page 1 on another paper",
         {1, 0, 0, 0},
         "",
         1,
         true,
         2,
         Calls({"copies 1", "begin Sans_nom", "paint 2", "new", "paint 4", "end"}),
         0},
        {"uncollated copies across a change of paper",
         {0, 1},
         "",
         3,
         false,
         0,
         Calls({"copies 3", "begin Sans_nom", "paint 1", "end", "copies 3", "begin Sans_nom",
                "paint 2", "end"}),
         0},
        {"collated copies across a change of paper",
         {0, 1},
         "",
         2,
         true,
         0,
         Calls({"copies 1", "begin Sans_nom", "paint 1", "end", "copies 1", "begin Sans_nom",
                "paint 2", "end", "copies 1", "begin Sans_nom", "paint 1", "end", "copies 1",
                "begin Sans_nom", "paint 2", "end"}),
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device.calls.clear();
        MakePages(static_cast<int>(c.orientations.size()), c.orientations);
        std::vector<uint8_t> orientationAtBegin;
        PrintJob job(*pages, state.printer, device, [&](int index, const IntRect&) {
            if (device.calls.size() >= 1 && device.calls.back().starts_with("begin"))
                orientationAtBegin.push_back(service.settings.orientation);
            device.calls.push_back("paint " + std::to_string(index + 1));
        });
        EXPECT_TRUE(job.PrintPages({c.pageList, c.copies, c.collate, c.parity}));
        EXPECT_EQ(device.calls, c.calls);
        ASSERT_FALSE(orientationAtBegin.empty());
        EXPECT_EQ(orientationAtBegin[0], c.firstOrientation);
    }
}

TEST_F(PrintJobTest, EachPrintedPageGetsTheMetricsOfThePrinterAndIsReleased) {
    MakePages(2);
    for (int i = 0; i < 2; ++i)
        pages->PageAt(i).metrics = PageMetrics{};
    std::vector<bool> visibleWhilePainted;
    PrintJob job(*pages, state.printer, device, [&](int index, const IntRect&) {
        visibleWhilePainted.push_back(pages->PageAt(index).visible);
    });
    std::vector<int> progress;
    job.onProgress = [&](int n) { progress.push_back(n); };
    ASSERT_TRUE(job.PrintPages({"2", 1, true, 0}));
    EXPECT_EQ(visibleWhilePainted, std::vector<bool>{true});
    EXPECT_FALSE(pages->PageAt(1).visible);
    EXPECT_EQ(pages->PageAt(1).metrics.printerPageWidth, 4960);
    EXPECT_EQ(progress, std::vector<int>{2});
}

TEST_F(PrintJobTest, CancelAbortsTheDocumentAfterThePageBeingPrinted) {
    MakePages(3);
    PrintJob job = Job();
    job.processEvents = [&] { job.Cancel(); };
    EXPECT_FALSE(job.PrintPages({"", 1, true, 0}));
    EXPECT_EQ(device.calls, Calls({"copies 1", "begin Sans_nom", "paint 1", "abort"}));
    EXPECT_TRUE(job.Terminated());
}

TEST_F(PrintJobTest, APaintingErrorAbortsTheDocument) {
    MakePages(2);
    PrintJob job(*pages, state.printer, device, [&](int index, const IntRect&) {
        if (index == 1) throw EngineError("panne");
        device.calls.push_back("paint 1");
    });
    EXPECT_THROW(job.PrintPages({"", 1, true, 0}), EngineError);
    EXPECT_EQ(device.calls, Calls({"copies 1", "begin Sans_nom", "paint 1", "new", "abort"}));
}

TEST_F(PrintJobTest, NothingIsSentWhenNoPageIsLeft) {
    struct Case {
        const char* name;
        int pageCount;
        const char* pageList;
        int copies;
        bool collate;
        uint8_t parity;
    };
    const std::vector<Case> cases{
        {"even pages of one page", 1, "", 1, true, 2},
        {"even pages of 3", 5, "3", 1, true, 2},
        {"an unknown parity", 2, "", 1, true, 3},
        {"no page at all", 0, "", 1, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device.calls.clear();
        MakePages(c.pageCount);
        PrintJob job = Job();
        EXPECT_THROW(job.PrintPages({c.pageList, c.copies, c.collate, c.parity}),
                     NothingToPrintError);
        EXPECT_TRUE(device.calls.empty());
    }
}

TEST_F(PrintJobTest, ABadPageListStopsTheJobBeforeTheDocument) {
    MakePages(3);
    PrintJob job = Job();
    EXPECT_THROW(job.PrintPages({"1,a", 1, true, 0}), ConvertError);
    EXPECT_THROW(job.PrintPages({"5-9", 1, true, 0}), PageListError);
    EXPECT_TRUE(device.calls.empty());
}

TEST(PrintDestination, FollowsMarginsActive) {
    PreparedPage page;
    // A4 at 600 pixels per inch with a 100-pixel border; 758 x 1071 design pixels.
    page.metrics = {4960, 7016, 758, 1071, 100, 100, 15, 15, 4760, 6816, 727, 1041};
    page.margins = {38, 19, 38, 57};
    struct Case {
        bool marginsActive;
        IntRect rect;
    };
    // 38 * 4760 / 727 = 248.80; 19 * 6816 / 1041 = 124.40; 57 * 6816 / 1041 = 373.21.
    const std::vector<Case> cases{
        {true, {-100, -100, 4860, 6916}},
        {false, {249, 124, 4760 - 249, 6816 - 373}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marginsActive);
        page.marginsActive = c.marginsActive;
        EXPECT_EQ(PrintDestination(page), c.rect);
    }
}

}  // namespace
}  // namespace report
