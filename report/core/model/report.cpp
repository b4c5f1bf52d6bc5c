#include "report/core/model/report.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/core/model/model_state.h"
#include "report/core/model/model_texts.h"
#include "report/core/model/view.h"

namespace report {

Report::Report(ModelState& state, std::string name)
    : Component(std::move(name)), fileName(EngineText(model_text::kUntitled)), state_(&state) {
    dictionary.hooks.findComponent = [this](std::string_view componentName) {
        return FindComponentByName(componentName);
    };
    dictionary.hooks.evaluate = [this](const std::string& expression) {
        return state_->evaluate ? state_->evaluate(expression) : Variant::String(expression);
    };
    dictionary.hooks.globalVariables = state.globalVariables;
}

Report::~Report() = default;

Component* Report::FindComponentByName(std::string_view componentName) const {
    const ComponentOwner* owner = ownerForm_ != nullptr ? ownerForm_ : Owner();
    return state_->components.FindComponentByName(owner, componentName);
}

Page& Report::AddPage() {
    return pages.Add(std::make_unique<Page>(*state_, this));
}

View* Report::FindObject(std::string_view objectName) const {
    for (const auto& page : pages) {
        if (View* view = page->FindObject(objectName)) return view;
    }
    return nullptr;
}

void Report::SelectPrinterByName(const std::string& name) {
    if (ignoreStoredPrinter == 0) {
        Printer& printer = state_->printer;
        const int index = printer.IndexOfPrinter(name);
        if (index >= 0 && index != printer.SelectedIndex()) printer.SelectPrinter(index);
    }
    printerName = name;
}

void AssignView(View& target, View& source) {
    target.name = source.name;
    target.objectType = source.objectType;
    target.selected = source.selected;
    const bool sourcePrepared = source.inPreparedPage;
    const bool targetPrepared = target.inPreparedPage;
    source.inPreparedPage = target.inPreparedPage = false;
    EngineStream s;
    source.WriteRecord(s);
    s.Seek(0);
    target.ReadRecord(s, kCurrentStreamVersion);
    source.inPreparedPage = sourcePrepared;
    target.inPreparedPage = targetPrepared;
}

}  // namespace report
