// The report designer: opening a large template to its first painted page, repainting a full
// page while an object is dragged, and undo/redo on a large template. Runs offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "report/core/designer/design_commands.h"
#include "report/core/designer/design_document.h"
#include "report/core/engine/engine.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/page.h"
#include "report/qt/qt_drawing_kit.h"
#include "report/ui/designer_page_view.h"

namespace {

using namespace report;

// `pages` A4 pages of `perPage` framed text objects each, in a grid, saved to `path`.
void WriteTemplate(ModelState& state, const std::string& path, int pages, int perPage) {
    DesignDocument document(state);
    Report& report = document.GetReport();
    for (int p = 0; p < pages; ++p) {
        Page& page = p == 0 ? report.pages[0] : report.AddPage();
        for (int i = 0; i < perPage; ++i) {
            auto memo = std::make_unique<MemoView>();
            memo->name = "Memo" + std::to_string(p * perPage + i + 1);
            memo->left = 40 + (i % 10) * 70;
            memo->top = 40 + (i / 10) * 20;
            memo->width = 66;
            memo->height = 18;
            memo->frameTyp = 15;
            memo->memo = {"Texte [Num] " + std::to_string(i)};
            page.Add(std::move(memo));
        }
    }
    document.Save(path);
}

struct Fixture {
    Fixture() {
        static int argc = 1;
        static char name[] = "designer_bench";
        static char* argv[] = {name, nullptr};
        if (QApplication::instance() == nullptr) new QApplication(argc, argv);
    }
    Engine engine{nullptr};
    QtDrawingKit kit;
    QTemporaryDir folder;
};

QImage Render(DesignerPageView& view) {
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    view.render(&image);
    return image;
}

void BM_OpenToFirstPaintedPage(benchmark::State& state) {
    Fixture f;
    const std::string path = f.folder.filePath("grand.etf").toStdString();
    WriteTemplate(f.engine.Model(), path, 20, 500);  // 10,000 objects
    for (auto _ : state) {
        DesignDocument document(f.engine.Model());
        document.Open(path);
        DesignerPageView view(document, f.kit);
        benchmark::DoNotOptimize(Render(view));
    }
}
BENCHMARK(BM_OpenToFirstPaintedPage)->Unit(benchmark::kMillisecond);

void BM_RepaintWhileDragging(benchmark::State& state) {
    Fixture f;
    const std::string path = f.folder.filePath("page.etf").toStdString();
    WriteTemplate(f.engine.Model(), path, 1, 500);
    DesignDocument document(f.engine.Model());
    document.Open(path);
    DesignerPageView view(document, f.kit);
    view.SetZoom(1.0);
    document.Select({250});
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    int step = 1;
    for (auto _ : state) {
        MoveSelection(document, step, step);
        step = -step;
        view.render(&image);
    }
}
BENCHMARK(BM_RepaintWhileDragging)->Unit(benchmark::kMillisecond);

void BM_UndoRedoAt10000Objects(benchmark::State& state) {
    Fixture f;
    const std::string path = f.folder.filePath("grand.etf").toStdString();
    WriteTemplate(f.engine.Model(), path, 20, 500);
    DesignDocument document(f.engine.Model());
    document.Open(path);
    document.Select({10});
    MoveSelection(document, 8, 8);
    document.Commit();
    bool undo = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(undo ? document.Undo() : document.Redo());
        undo = !undo;
    }
}
BENCHMARK(BM_UndoRedoAt10000Objects)->Unit(benchmark::kMillisecond);

// A change committed at 10,000 objects: the cost every step adds.
void BM_CommitAt10000Objects(benchmark::State& state) {
    Fixture f;
    const std::string path = f.folder.filePath("grand.etf").toStdString();
    WriteTemplate(f.engine.Model(), path, 20, 500);
    DesignDocument document(f.engine.Model());
    document.Open(path);
    document.Select({10});
    int step = 1;
    for (auto _ : state) {
        MoveSelection(document, step, 0);
        step = -step;
        benchmark::DoNotOptimize(document.Commit());
    }
}
BENCHMARK(BM_CommitAt10000Objects)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
