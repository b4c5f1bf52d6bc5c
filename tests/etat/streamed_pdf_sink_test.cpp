#include "tools/etat/streamed_pdf_sink.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "report/core/engine/engine.h"
#include "report/core/language/build_context.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/report.h"
#include "report/qt/qt_drawing_kit.h"
#include "tools/etat/page_output.h"

namespace {

namespace fs = std::filesystem;

std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

class Passes : public report::BuildContext {
  public:
    bool FinalPass() const override { return final; }
    bool final = true;
};

// One step of a build as the sink sees it: a new page, or a text on page `page`.
struct Step {
    enum Kind { NewPage, Text, Clear, FirstPass, FinalPass } kind;
    int page = 0;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    bool whole;         // Finish's answer
    int pagesInFile;    // pages painted
    int lastPageCount;  // what the sink says before Finish
};

std::vector<Step> Pages(int count) {
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i) {
        steps.push_back({Step::NewPage});
        steps.push_back({Step::Text, i});
    }
    return steps;
}

std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(StreamedPdfSink, PaintsFinishedPagesAndSeesWritesToPaintedOnes) {
    const auto application = etat::StartQt();
    const int open = etat::StreamedPdfSink::kOpenPages;
    const std::vector<Case> cases = {
        {"one pass", Pages(12), true, 12, 12},
        // the footer of the page before the last goes to a page still open
        {"a footer written late", Pages(12) + std::vector<Step>{{Step::Text, 12 - open}}, true, 12,
         12},
        {"back to a painted page", Pages(12) + std::vector<Step>{{Step::Text, 0}}, false, 12 - open,
         12},
        {"two passes",
         std::vector<Step>{{Step::FirstPass}} + Pages(9) +
             std::vector<Step>{{Step::FinalPass}, {Step::Clear}} + Pages(9),
         true, 9, 9},
        {"first pass only counted", std::vector<Step>{{Step::FirstPass}} + Pages(7), true, 0, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        report::Engine engine(nullptr);
        report::Report report(engine.Model());
        report::Page& designPage = report.AddPage();
        report::QtDrawingKit kit;
        const std::string path = ::testing::TempDir() + "/etat_flux.pdf";
        fs::remove(path);
        etat::PdfPageWriter pdf(path, kit);
        etat::StreamedPdfSink sink(report, pdf);
        Passes passes;
        sink.FollowPasses(passes);
        for (const Step& step : c.steps) {
            switch (step.kind) {
                case Step::NewPage:
                    sink.AddPage(designPage);
                    break;
                case Step::Text: {
                    report::MemoView memo;
                    memo.name = "Memo";
                    memo.left = 40;
                    memo.top = 40;
                    memo.width = 300;
                    memo.height = 24;
                    memo.expandedMemo = {"Feuille n\xB0" + std::to_string(step.page + 1)};
                    sink.WriteObject(step.page, memo);
                    break;
                }
                case Step::Clear:
                    sink.Clear();
                    break;
                case Step::FirstPass:
                    passes.final = false;
                    break;
                case Step::FinalPass:
                    passes.final = true;
                    break;
            }
        }
        EXPECT_EQ(sink.PageCount(), c.lastPageCount);
        EXPECT_EQ(sink.Finish(), c.whole);
        EXPECT_EQ(pdf.PagesAdded(), c.pagesInFile);
        if (!c.whole || c.pagesInFile == 0) continue;
        pdf.Finish();
        // every page in order, each with its own text
        const std::string text = Output("pdftotext '" + path + "' - 2>&1");
        size_t at = 0;
        for (int page = 1; page <= c.pagesInFile; ++page) {
            const std::string expected = "Feuille n°" + std::to_string(page) + "\n";
            const size_t found = text.find(expected, at);
            ASSERT_NE(found, std::string::npos) << expected << " in\n" << text;
            at = found + expected.size();
        }
        EXPECT_EQ(text.find("Feuille", at), std::string::npos) << text;
    }
}

TEST(StreamedPdfSink, AnUnfinishedFileLeavesTheOldOneInPlace) {
    const auto application = etat::StartQt();
    report::Engine engine(nullptr);
    report::Report report(engine.Model());
    report::Page& designPage = report.AddPage();
    report::QtDrawingKit kit;
    const std::string path = ::testing::TempDir() + "/etat_flux_ancien.pdf";
    {
        FILE* old = std::fopen(path.c_str(), "wb");
        ASSERT_NE(old, nullptr);
        std::fputs("ancien", old);
        std::fclose(old);
    }
    {
        etat::PdfPageWriter pdf(path, kit);
        etat::StreamedPdfSink sink(report, pdf);
        for (int i = 0; i < 8; ++i)
            sink.AddPage(designPage);
        EXPECT_GT(pdf.PagesAdded(), 0);
    }  // dropped without Finish, as when the build fails
    EXPECT_EQ(fs::file_size(path), 6u);
}

}  // namespace
