// ReportBuilder: the data loops of the master, detail and subdetail levels.
#include "report/core/building/report_builder.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/building/report_builder_parts.h"
#include "report/core/data/dataset.h"
#include "report/core/language/engine_core.h"
#include "report/core/model/band_view.h"

namespace report {

using namespace build_detail;

void ReportBuilder::Push(Band* band) {
    if (band == nullptr || !band->Exists()) return;
    if (pending_.size() >= kMaxPendingBands)
        throw EngineError(EngineText("build.too_many_pending"));
    pending_.push_back(band);
}

void ReportBuilder::Flush() {
    std::vector<Band*> bands;
    bands.swap(pending_);
    for (Band* band : bands) {
        if (terminated_) break;
        PrintBand(band);
    }
}

void ReportBuilder::Navigate(DeferredAction::Kind step, Dataset& source) {
    // A sub-report keeps the step so that its bands see the same record when replayed.
    if (page_->recording) page_->actions.push_back({step, nullptr, 0, 0, &source});
    switch (step) {
        case DeferredAction::Kind::First:
            source.First();
            break;
        case DeferredAction::Kind::Next:
            source.Next();
            break;
        case DeferredAction::Kind::Prior:
            source.Prior();
            break;
        case DeferredAction::Kind::PrintBand:
            break;
    }
}

void ReportBuilder::RunDataLevel(int level) {
    int levels = 0;
    for (int l = 1; l <= 3; ++l)
        if (Head(DataKind(l)) != nullptr) levels = l;
    for (Band* data = Head(DataKind(level)); data != nullptr && !terminated_; data = data->next) {
        Dataset* source = data->DataSource();
        if (source == nullptr) continue;
        Navigate(DeferredAction::Kind::First, *source);
        data->lineNumber = 1;
        data->lineThrough = 1;
        for (View* object : data->objects)
            StateOf(*object).hasLastPrinted = false;
        for (Band* g = data->firstGroup; g != nullptr; g = g->nextGroup) {
            g->lineNumber = 0;
            g->lineThrough = 0;
        }
        if (source->Eof()) continue;
        for (Band* g = data->firstGroup; g != nullptr; g = g->nextGroup) {
            Push(g);
            ++g->lineNumber;
            ++g->lineThrough;
        }
        Push(data->header);
        if (data->footer != nullptr) ResetAggregates(*data->footer);
        while (!source->Eof() && !terminated_) {
            Push(data);
            bool counts = true;
            if (level < levels) {
                RunDataLevel(level + 1);
                if (!pending_.empty()) {
                    if (data->printIfSubsetEmpty) {
                        Flush();
                    } else {
                        pending_.pop_back();
                        counts = false;
                    }
                }
            } else {
                Flush();
            }
            if (terminated_) break;
            Navigate(DeferredAction::Kind::Next, *source);
            bool ended = false;
            for (Band* g = data->firstGroup; g != nullptr; g = g->nextGroup) {
                const bool atEnd = source->Eof();
                bool breaks = atEnd || g->lastGroupValue.IsEmpty();
                if (!breaks) {
                    const Variant now = core_.SharedParser().EvaluatePostfix(g->groupCondition);
                    breaks = Compare(now, g->lastGroupValue) != 0;
                }
                if (!breaks) continue;
                if (!atEnd) Navigate(DeferredAction::Kind::Prior, *source);
                for (Band* inner = data->lastGroup;; inner = inner->previousGroup) {
                    Push(inner->groupFooter);
                    if (inner == g) break;
                    inner->lineNumber = 0;
                }
                Flush();
                if (atEnd) {
                    ended = true;
                    break;
                }
                Navigate(DeferredAction::Kind::Next, *source);
                if (g->formNewPage && g->IsVisible()) StartNewPage();
                for (Band* inner = g; inner != nullptr; inner = inner->nextGroup) {
                    Push(inner);
                    ++inner->lineNumber;
                    ++inner->lineThrough;
                }
                data->lineNumber = 0;
                break;
            }
            if (counts) {
                ++page_->recordCounter;
                ++data->lineThrough;
                ++data->lineNumber;
                if (!source->Eof() && data->formNewPage && data->IsVisible()) StartNewPage();
            }
            if (ended) break;
        }
        if (!pending_.empty())
            pending_.pop_back();
        else if (data->footer != nullptr)
            PrintBand(data->footer);
    }
}

}  // namespace report
