// ReportBuilder: preparing a design page (run-time bands, links, aggregate registration).
#include "report/core/building/report_builder.h"

#include <algorithm>
#include <optional>

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/building/report_builder_parts.h"
#include "report/core/building/view_build_access.h"
#include "report/core/data/data_dictionary.h"
#include "report/core/language/aggregate_splitter.h"
#include "report/core/language/engine_core.h"
#include "report/core/model/band_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/report.h"
#include "report/core/model/subreport_view.h"

namespace report {

using namespace build_detail;

ReportBuilder::ObjectState& ReportBuilder::StateOf(View& view) {
    return objectStates_[&view];
}

Band& ReportBuilder::NewBand(PageBuild& build, int kind) {
    build.bands.push_back(std::make_unique<Band>(kind, *build.page));
    return *build.bands.back();
}

void ReportBuilder::PreparePage(Page& page) {
    auto build = std::make_unique<PageBuild>();
    build->page = &page;
    page_ = build.get();
    for (int kind = 0; kind < kBandTypeCount; ++kind)
        build->heads[kind] = &NewBand(*build, kind);
    std::vector<std::string> errors;
    core_.Interpreter().CompileScript(page.script, build->script, errors);
    SetUpBands(*build);
    build->recordCounter = 1;
    build->columnCounter = 1;
    pageBuilds_.push_back(std::move(build));
    ++pagesPrepared_;
}

void ReportBuilder::SetUpBands(PageBuild& build) {
    Page& page = *build.page;
    std::vector<std::string> errors;
    for (const auto& owned : page.Objects()) {
        View& view = *owned;
        // A damaged template may hold any 32-bit geometry; kept to a roll of paper for the build
        // (the template is read back afterwards), so that sums of positions cannot overflow and
        // an object far below its split band does not push it through endless blank pages.
        for (int32_t* value : {&view.left, &view.top, &view.width, &view.height})
            *value = std::clamp<int32_t>(*value, -kMaxCoordinate, kMaxCoordinate);
        ObjectState& state = StateOf(view);
        state.memo = dynamic_cast<MemoView*>(&view);
        state.subReport = dynamic_cast<SubReportView*>(&view) != nullptr;
        if (MemoView* memo = state.memo) {
            if (!Trim(memo->highlight.condition).empty())
                state.highlight = core_.SharedParser().ConvertToPostfix(memo->highlight.condition);
        }
        state.notPlaced = dynamic_cast<BandView*>(&view) == nullptr;
        state.crossBand = nullptr;
        SetParentBand(view, nullptr);
        if (view.HasFlag(view_flag::kNotifyViewPrint)) notifyViews_.push_back(&view);
        errors.clear();
        core_.Interpreter().CompileScript(view.script, state.script, errors);
    }
    const auto attach = [&](Band& band, View& view) {
        view.top -= band.top;
        SetParentBand(view, &band);
        band.objects.push_back(&view);
        StateOf(view).notPlaced = false;
    };
    // Vertical bands first: their objects stay to be placed in the horizontal bands too.
    for (int kind : {bt::kCrossHeader, bt::kCrossData, bt::kCrossFooter}) {
        for (const auto& owned : page.Objects()) {
            auto* object = dynamic_cast<BandView*>(owned.get());
            if (object == nullptr || object->BandTypeCode() != kind) continue;
            Band& band = *build.heads[kind];
            band.TakeFrom(*object, *report_, page.isSubReportPage);
            std::vector<std::string> bandErrors;
            const StringList& source = object->script.empty() ? object->memo : object->script;
            core_.Interpreter().CompileScript(source, band.script, bandErrors);
            for (const auto& candidate : page.Objects()) {
                View& view = *candidate;
                ObjectState& state = StateOf(view);
                if (!state.notPlaced || state.crossBand != nullptr) continue;
                if (view.left >= band.left && view.left + view.width <= band.left + band.width) {
                    view.left -= band.left;
                    SetParentBand(view, &band);
                    band.objects.push_back(&view);
                    state.crossBand = &band;
                }
            }
        }
    }
    for (int kind = 0; kind < kBandTypeCount; ++kind) {
        if (IsVerticalBand(kind) || kind == bt::kNone) continue;
        bool first = true;
        for (const auto& owned : page.Objects()) {
            auto* object = dynamic_cast<BandView*>(owned.get());
            if (object == nullptr || object->BandTypeCode() != kind) continue;
            Band& band = first ? *build.heads[kind] : NewBand(build, kind);
            first = false;
            band.TakeFrom(*object, *report_, page.isSubReportPage);
            if (kind == bt::kGroupHeader && !Trim(object->formatPattern).empty())
                band.groupCondition = core_.SharedParser().ConvertToPostfix(object->formatPattern);
            std::vector<std::string> bandErrors;
            const StringList& source = object->script.empty() ? object->memo : object->script;
            core_.Interpreter().CompileScript(source, band.script, bandErrors);
            // Plain objects, then those of vertical bands, then sub-reports.
            for (int pass = 0; pass < 3; ++pass) {
                for (const auto& candidate : page.Objects()) {
                    View& view = *candidate;
                    ObjectState& state = StateOf(view);
                    if (!state.notPlaced) continue;
                    const bool subReport = dynamic_cast<SubReportView*>(&view) != nullptr;
                    const int objectPass = state.crossBand != nullptr ? 1 : subReport ? 2 : 0;
                    if (objectPass != pass) continue;
                    if (band.top > view.top || view.top > band.top + band.height) continue;
                    if (state.crossBand != nullptr) {
                        view.top -= band.top;
                        band.objects.push_back(&view);
                        state.notPlaced = false;
                        band.sharesCrossObjects = true;
                    } else {
                        attach(band, view);
                    }
                }
            }
        }
    }
    // Link bands of a kind top to bottom.
    for (int kind = 0; kind < kBandTypeCount; ++kind) {
        std::vector<Band*> list;
        for (auto& band : build.bands)
            if (band->kind == kind && band->Exists()) list.push_back(band.get());
        if (list.empty()) continue;
        std::stable_sort(list.begin(), list.end(),
                         [](Band* a, Band* b) { return a->top < b->top; });
        build.heads[kind] = list.front();
        for (size_t i = 0; i < list.size(); ++i) {
            list[i]->previous = i > 0 ? list[i - 1] : nullptr;
            list[i]->next = i + 1 < list.size() ? list[i + 1] : nullptr;
        }
        list.front()->lastOfKind = list.back();
    }
    // Objects that lie in no band print at their own place, once per page form.
    Band& none = *build.heads[bt::kNone];
    for (const auto& owned : page.Objects()) {
        View& view = *owned;
        if (!StateOf(view).notPlaced) continue;
        if (!none.Exists()) {
            build.looseObjectsBand = std::make_unique<BandView>();
            build.looseObjectsBand->SetBandType(BandType::None);
            build.looseObjectsBand->left = build.looseObjectsBand->top = 0;
            build.looseObjectsBand->width = build.looseObjectsBand->height = 0;
            none.TakeFrom(*build.looseObjectsBand, *report_, page.isSubReportPage);
        }
        attach(none, view);
    }
    // Headers and footers of each data level.
    for (int level = 1; level <= 3; ++level) {
        const int data = DataKind(level);
        for (Band* headerBand = Head(data - 1); headerBand != nullptr;
             headerBand = headerBand->next) {
            for (Band* d = Head(data); d != nullptr; d = d->next) {
                // A data band touching its header's bottom belongs to it, as a touching
                // footer belongs to the band above.
                if (d->top >= headerBand->top + headerBand->height) {
                    if (d->header == nullptr) {
                        d->header = headerBand;
                        headerBand->dataBand = d;
                    }
                    break;
                }
            }
        }
        for (Band* footerBand = Head(data + 1); footerBand != nullptr;
             footerBand = footerBand->next) {
            Band* owner = Head(data) != nullptr ? Head(data)->lastOfKind : nullptr;
            for (Band* d = Head(data); d != nullptr; d = d->next) {
                if (d->top + d->height > footerBand->top) {
                    owner = d->previous;
                    break;
                }
            }
            if (owner != nullptr && owner->footer == nullptr) {
                owner->footer = footerBand;
                footerBand->dataBand = owner;
            }
        }
    }
    // Group headers pair with footers from the inside out.
    std::vector<Band*> groupHeaders, groupFooters;
    for (Band* b = Head(bt::kGroupHeader); b != nullptr; b = b->next)
        groupHeaders.push_back(b);
    for (Band* b = Head(bt::kGroupFooter); b != nullptr; b = b->next)
        groupFooters.push_back(b);
    for (size_t i = 0; i < groupHeaders.size() && i < groupFooters.size(); ++i)
        groupHeaders[groupHeaders.size() - 1 - i]->groupFooter = groupFooters[i];
    // A cross data band's DataSource list: "band=source;" entries.
    Band* crossData = Head(bt::kCrossData);
    if (crossData != nullptr && crossData->view->formatPattern.find(';') != std::string::npos) {
        const std::string& list = crossData->view->formatPattern;
        size_t start = 0;
        while (start < list.size()) {
            size_t end = list.find(';', start);
            if (end == std::string::npos) end = list.size();
            const std::string entry = list.substr(start, end - start);
            start = end + 1;
            const size_t equals = entry.find('=');
            if (equals == std::string::npos) continue;
            const std::string bandName = Trim(entry.substr(0, equals));
            const std::string sourceName = Trim(entry.substr(equals + 1));
            for (auto& band : build.bands) {
                if (band->Exists() && band->kind >= bt::kMasterHeader && band->kind <= bt::kChild &&
                    SameText(band->name, bandName))
                    band->crossSource.Bind(*report_, bt::kCrossData, sourceName);
            }
        }
    }
    for (auto& band : build.bands)
        if (band->Exists()) band->childBand = FindChildBand(build, *band);
    RefuseChildCycles(build);
    if (Head(bt::kMasterData) != nullptr) {
        for (Band* group : groupHeaders) {
            Band* owner = Head(bt::kMasterData);
            const std::string& masterName = group->view->master;
            if (!masterName.empty()) {
                for (Band* d = Head(bt::kMasterData); d != nullptr; d = d->next)
                    if (SameText(d->name, masterName)) owner = d;
            }
            group->dataBand = owner;
            if (owner->firstGroup == nullptr) {
                owner->firstGroup = group;
            } else {
                owner->lastGroup->nextGroup = group;
                group->previousGroup = owner->lastGroup;
            }
            owner->lastGroup = group;
        }
    }
    if (page.columns <= 0) page.columns = 1;  // none, or a damaged count
    build.columns = page.columns;
    build.columnGap = page.columnGap;
    const IntRect area = page.PrintableArea();
    build.topY = area.top;
    build.leftX = area.left;
    build.rightX = area.right;
    build.baseBottom = area.bottom;
    build.columns = std::min(build.columns, 1000);
    build.columnGap = std::clamp(build.columnGap, -kMaxCoordinate, kMaxCoordinate);
    build.columnWidth =
        (build.rightX - build.leftX - (build.columns - 1) * build.columnGap) / build.columns;
    page.columnWidth = build.columnWidth;
}

EngineError build_detail::ChildLoopError(const std::vector<Band*>& chain, const Band& again) {
    std::string names;
    for (auto it = std::find(chain.begin(), chain.end(), &again); it != chain.end(); ++it)
        names += (*it)->name + ", ";
    return EngineError(FormatMessage(EngineText("build.child_cycle"), {names + again.name}));
}

Band* ReportBuilder::FindChildBand(PageBuild& build, const Band& band) {
    if (band.childBandName.empty()) return nullptr;
    Band* found = nullptr;
    for (auto& other : build.bands)
        if (other->Exists() && SameText(other->name, band.childBandName)) found = other.get();
    // A band naming itself has no child: it would print itself forever.
    return found != &band ? found : nullptr;
}

void ReportBuilder::RefuseChildCycles(PageBuild& build) {
    for (auto& start : build.bands) {
        std::vector<Band*> chain;
        for (Band* b = start.get(); b != nullptr; b = b->childBand) {
            if (std::find(chain.begin(), chain.end(), b) != chain.end())
                throw ChildLoopError(chain, *b);
            chain.push_back(b);
        }
    }
}

void ReportBuilder::LinkDataFields(PageBuild& build) {
    page_ = &build;
    ValueResolver& resolver = core_.Resolver();
    resolver.SetLinkingMode(true);
    const auto collectKind = [this](int kind) {
        for (Band* b = Head(kind); b != nullptr && !terminated_; b = b->next) {
            for (Band* c = b; c != nullptr && !terminated_; c = c->childBand) {
                CollectAggregates(*c);
                if (c->childBand == b) break;
            }
        }
    };
    try {
        for (const auto& owned : build.page->Objects())
            BindDataField(*owned);
        for (int level = 1; level <= 3; ++level) {
            for (Band* data = Head(DataKind(level)); data != nullptr; data = data->next) {
                if (data->DataSource() == nullptr) continue;
                aggregateTarget_ = data;
                std::vector<int> kinds = {bt::kPageFooter, bt::kMasterFooter, bt::kGroupFooter,
                                          bt::kReportSummary};
                if (level >= 2) kinds.push_back(bt::kDetailFooter);
                if (level >= 3) kinds.push_back(bt::kSubDetailFooter);
                for (int kind : kinds)
                    collectKind(kind);
            }
        }
        if (Band* crossData = Head(bt::kCrossData)) {
            aggregateTarget_ = crossData;
            collectKind(bt::kCrossFooter);
        }
    } catch (const std::exception& error) {
        HandleError(error);
    }
    aggregateTarget_ = nullptr;
    resolver.SetLinkingMode(false);
}

// An object whose whole text is one bracketed name of a field is bound to that field.
void ReportBuilder::BindDataField(View& object) {
    if (dynamic_cast<BandView*>(&object) != nullptr) return;
    if (dynamic_cast<MemoView*>(&object) != nullptr && object.HasFlag(view_flag::kTextOnly)) return;
    std::string text;
    for (size_t i = 0; i < object.memo.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += object.memo[i];
    }
    if (text.size() <= 2 || text[0] != '[') return;
    const size_t close = text.rfind(']');
    const std::string name =
        text.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    DataDictionary& dictionary = report_->dictionary;
    std::optional<FieldReference> field;
    try {
        if (dictionary.IsVariable(name)) {
            const auto cached = dictionary.fieldCache.find(UpperCase(name));
            if (cached != dictionary.fieldCache.end()) field = cached->second;
        }
        if (!field) {
            DataAccess* defaultSet =
                dictionary.hooks.defaultDataSet ? dictionary.hooks.defaultDataSet() : nullptr;
            field = dictionary.ResolveField(name, defaultSet);
        }
    } catch (const std::exception&) {
        return;  // not a field: the text is expanded as usual
    }
    if (!field || field->dataSet == nullptr) return;
    ObjectState& state = StateOf(object);
    state.fieldDataSet = field->dataSet;
    state.fieldName = field->field;
    object.build.fieldName = field->field;
}

void ReportBuilder::CollectAggregates(Band& band) {
    if (!band.Exists()) return;
    currentBand_ = &band;
    currentView_ = band.view;
    AggregateSplitter splitter(DictionaryVariables());
    splitter.CollectFromScript(core_.Interpreter(), band.script);
    for (View* object : band.objects) {
        currentView_ = object;
        if (dynamic_cast<MemoView*>(object) != nullptr) splitter.CollectFromMemo(object->memo);
        splitter.CollectFromScript(core_.Interpreter(), StateOf(*object).script);
    }
    currentView_ = band.view;
    for (const std::string& call : splitter.Calls())
        core_.Resolver().Evaluate(call);
    currentBand_ = nullptr;
    currentView_ = nullptr;
}

}  // namespace report
