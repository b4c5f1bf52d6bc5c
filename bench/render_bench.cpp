// Text layout and page drawing: a wrapped 200-character memo laid out on the measuring canvas,
// and a page of 150 text objects painted into a QImage at 100 %.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "report/core/model/memo_view.h"
#include "report/core/render/measuring_canvas.h"
#include "report/core/render/page_painter.h"
#include "report/core/render/text_layout.h"
#include "report/qt/qt_canvas.h"
#include "report/qt/qt_font_metrics.h"

namespace {

using namespace report;

const char kMemoText[] =
    "Les rencontres du groupe sont tirees au sort une equipe apres l'autre, assez lentement "
    "pour que le public suive ; chaque rencontre porte un numero, et celles du repechage vont "
    "par paires jusqu'au bout.";

void BM_LayoutWrappedMemo(benchmark::State& state) {
    QtFontMetrics metrics;
    MeasuringCanvas measuring(metrics);
    DrawingContext context;
    context.canvas = &measuring;
    MemoView memo;
    memo.width = 180;
    memo.height = 200;
    memo.memo = {std::string(kMemoText).substr(0, 200)};
    context.geometry = ObjectGeometry::Of(memo);
    size_t lines = 0;
    for (auto _ : state) {
        TextLayout layout = LayoutText(memo, memo.memo, false, context);
        lines = layout.lines.size();
        benchmark::DoNotOptimize(layout);
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_LayoutWrappedMemo)->Unit(benchmark::kMicrosecond);

std::vector<std::unique_ptr<View>> PageOf150Memos() {
    std::vector<std::unique_ptr<View>> page;
    for (int i = 0; i < 150; ++i) {
        auto memo = std::make_unique<MemoView>();
        memo->left = 40 + (i % 3) * 240;
        memo->top = 40 + (i / 3) * 21;
        memo->width = 230;
        memo->height = 20;
        memo->frameTyp = i % 5 == 0 ? 15 : 0;
        memo->memo = {"Equipe " + std::to_string(i) + " contre equipe " + std::to_string(150 - i)};
        page.push_back(std::move(memo));
    }
    return page;
}

void BM_PaintPageOf150Memos(benchmark::State& state) {
    QtFontMetrics metrics;
    MeasuringCanvas measuring(metrics);
    auto page = PageOf150Memos();
    QImage image(794, 1123, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    PagePaintOptions options;
    options.measuringCanvas = &measuring;
    for (auto _ : state) {
        image.fill(Qt::white);
        PaintPage(page, canvas, 1.0, 1.0, 0, 0, options);
    }
}
BENCHMARK(BM_PaintPageOf150Memos)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
