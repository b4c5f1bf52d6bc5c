// The preview of a 1,000-page report (40 text objects a page) on Qt's offscreen platform:
// opening it to the first painted screen (from the built store and from a prepared file),
// memory held after every page was painted once, one screen of an A4 page at 100 %, and a
// search for a text that only the last page holds.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "report/core/base/engine_stream.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"
#include "report/core/output/preview_controller.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/render/page_drawing.h"
#include "report/qt/qt_canvas.h"
#include "report/qt/qt_font_metrics.h"
#include "report/qt/qt_image_decoder.h"

namespace {

using namespace report;

constexpr int kPages = 1000;
constexpr int kObjectsPerPage = 40;
// The page box of a preview window on a common screen.
constexpr int kBoxWidth = 1200;
constexpr int kBoxHeight = 850;
// Only the last page holds it (Windows-1252 "Dernière"), so the search reads every page.
const char kLastPageText[] = "Derni\xE8re rencontre du tirage";

double MiB(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

// Heap bytes in use: what the store holds, without the allocator's kept free pages.
double HeapInUse() {
    return static_cast<double>(mallinfo2().uordblks);
}

double ResidentBytes() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// An engine on the virtual printer and a report with one A4 template page.
struct Engine {
    Engine() {
        state.printer.Start(nullptr);
        report = std::make_unique<Report>(state);
        templatePage = &report->AddPage();
    }
    ModelState state;
    std::unique_ptr<Report> report;
    Page* templatePage = nullptr;
};

std::unique_ptr<PreparedPages> ThousandPages(Engine& engine) {
    auto pages = std::make_unique<PreparedPages>(*engine.report);
    for (int p = 0; p < kPages; ++p) {
        pages->InsertPage(p, *engine.templatePage).marginsActive = true;
        for (int i = 0; i < kObjectsPerPage; ++i) {
            MemoView memo;
            memo.name = "Memo" + std::to_string(i + 1);
            memo.left = 40 + (i % 2) * 340;
            memo.top = 40 + (i / 2) * 24;
            memo.width = 330;
            memo.height = 20;
            memo.frameTyp = i % 2 == 0 ? 2 : 0;
            const int n = p * kObjectsPerPage + i + 1;
            memo.expandedMemo = {p == kPages - 1 && i == kObjectsPerPage - 1
                                     ? std::string(kLastPageText)
                                     : "Rencontre " + std::to_string(n) + " : \xC9quipe " +
                                           std::to_string(n % 97) + " contre \xC9quipe " +
                                           std::to_string((n * 7) % 97)};
            pages->AppendObject(p, memo);
        }
    }
    return pages;
}

QRect ToQRect(const IntRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// What the page box's paint event does for the whole box; returns the pages drawn.
int PaintBox(PreviewController& preview, QImage& image, const PageDrawOptions& options) {
    const IntRect exposed{0, 0, image.width(), image.height()};
    const PaintPlan plan = preview.PlanPaint(exposed);
    PreparedPages& pages = *preview.Pages();
    for (int index : plan.release)
        pages.ReleasePage(index);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QColor(128, 128, 128));
    for (const PaintPlan::Page& page : plan.draw) {
        painter.fillRect(ToQRect(page.sheet), Qt::white);
        painter.save();
        painter.setClipRect(ToQRect(page.sheet).adjusted(1, 1, -1, -1));
        QtCanvas canvas(painter);
        canvas.SetClipRegion(std::vector<IntRect>{exposed});
        DrawPage(pages, page.index, canvas, page.drawRect, options);
        painter.restore();
    }
    return static_cast<int>(plan.draw.size());
}

struct Screen {
    QImage image{kBoxWidth, kBoxHeight, QImage::Format_RGB32};
    QtImageDecoder images;
    PageDrawOptions options{nullptr, &images, false};  // as the preview window paints
};

void Open(PreviewController& preview) {
    preview.SetBoxSize(kBoxWidth, kBoxHeight);
    preview.ResetView(true);
}

// The built store handed to the preview, laid out, the first screen painted.
void BM_OpenBuiltPreviewToFirstPaint(benchmark::State& state) {
    Engine engine;
    Screen screen;
    ZoomMemory zoom;  // 100 %
    int drawn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto pages = ThousandPages(engine);
        auto preview = std::make_unique<PreviewController>(zoom);
        state.ResumeTiming();
        preview->AttachPages(std::move(pages));
        Open(*preview);
        drawn = PaintBox(*preview, screen.image, screen.options);
        state.PauseTiming();
        preview.reset();
        state.ResumeTiming();
    }
    state.counters["pages_drawn"] = drawn;
}
BENCHMARK(BM_OpenBuiltPreviewToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// A prepared file of the 1,000 pages loaded into the preview, then the first screen painted.
void BM_OpenPreparedFileToFirstPaint(benchmark::State& state) {
    Engine engine;
    Screen screen;
    ZoomMemory zoom;
    const std::string path = "/tmp/preview_bench_" + std::to_string(getpid()) + ".etp";
    {
        EngineStream file;
        ThousandPages(engine)->WriteToStream(file);
        file.SaveToFile(path);
        state.counters["file_MiB"] = MiB(static_cast<double>(file.Size()));
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto preview = std::make_unique<PreviewController>(zoom);
        preview->AttachPages(std::make_unique<PreparedPages>(*engine.report));
        state.ResumeTiming();
        preview->Load(path);
        Open(*preview);
        PaintBox(*preview, screen.image, screen.options);
        state.PauseTiming();
        preview.reset();
        state.ResumeTiming();
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_OpenPreparedFileToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every page scrolled into view and painted once; off-screen pages must give their live
// objects back, so the heap should stay near the page data's size.
void BM_MemoryAfterPaintingEveryPage(benchmark::State& state) {
    Engine engine;
    Screen screen;
    ZoomMemory zoom;
    for (auto _ : state) {
        {  // fonts and Qt caches warmed before the baseline
            PreviewController warm(zoom);
            auto one = std::make_unique<PreparedPages>(*engine.report);
            one->InsertPage(0, *engine.templatePage);
            warm.AttachPages(std::move(one));
            Open(warm);
            PaintBox(warm, screen.image, screen.options);
        }
        malloc_trim(0);
        const double heapBefore = HeapInUse();
        const double rssBefore = ResidentBytes();
        auto pages = ThousandPages(engine);
        double serialized = 0;
        {
            EngineStream file;
            pages->WriteToStream(file);
            serialized = static_cast<double>(file.Size());
        }
        PreviewController preview(zoom);
        preview.AttachPages(std::move(pages));
        Open(preview);
        const double heapStore = HeapInUse() - heapBefore;
        for (int number = 1; number <= kPages; ++number) {
            preview.SetCurrentPage(number);
            preview.ScrollToCurrentPage();
            PaintBox(preview, screen.image, screen.options);
        }
        const double heapAfter = HeapInUse() - heapBefore;
        const double rssAfter = ResidentBytes() - rssBefore;
        state.counters["serialized_MiB"] = MiB(serialized);
        state.counters["heap_store_MiB"] = MiB(heapStore);
        state.counters["heap_after_MiB"] = MiB(heapAfter);
        state.counters["over_serialized_MiB"] = MiB(heapAfter - serialized);  // aim <= 10
        state.counters["rss_growth_MiB"] = MiB(rssAfter);
        malloc_trim(0);  // what the allocator kept but no longer uses
        state.counters["rss_trimmed_growth_MiB"] = MiB(ResidentBytes() - rssBefore);
    }
}
BENCHMARK(BM_MemoryAfterPaintingEveryPage)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// One screen (1200 x 850) over the top of an A4 page at 100 %, its page already live.
void BM_PaintOneScreenAt100(benchmark::State& state) {
    Engine engine;
    Screen screen;
    ZoomMemory zoom;
    PreviewController preview(zoom);
    preview.AttachPages(ThousandPages(engine));
    Open(preview);
    PaintBox(preview, screen.image, screen.options);
    for (auto _ : state)
        benchmark::DoNotOptimize(PaintBox(preview, screen.image, screen.options));
    // Proof that text was drawn: the dark pixels of the screen.
    int dark = 0;
    for (int y = 0; y < screen.image.height(); ++y)
        for (int x = 0; x < screen.image.width(); ++x)
            dark += qGray(screen.image.pixel(x, y)) < 100 ? 1 : 0;
    state.counters["dark_pixels"] = dark;
}
BENCHMARK(BM_PaintOneScreenAt100)->Unit(benchmark::kMillisecond);

// The find dialog from the first page: every page read until the last one's text.
void BM_SearchToLastPage(benchmark::State& state) {
    Engine engine;
    ZoomMemory zoom;
    QtFontMetrics metrics;
    PreviewController preview(zoom);
    preview.SetSearchMetrics(&metrics);
    preview.AttachPages(ThousandPages(engine));
    Open(preview);
    for (auto _ : state) {
        if (preview.StartSearch("derni\xE8re", false, true) != SearchOutcome::Found ||
            preview.CurrentPage() != kPages) {
            state.SkipWithError("the text was not found on the last page");
            break;
        }
    }
}
BENCHMARK(BM_SearchToLastPage)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
