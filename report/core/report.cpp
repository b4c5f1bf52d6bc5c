#include "report/core/report.h"

#include <filesystem>

#include "report/core/engine_strings.h"
#include "report/core/model_state.h"
#include "report/core/model_texts.h"
#include "report/core/template_reader.h"
#include "report/core/template_writer.h"
#include "report/core/text.h"
#include "report/core/view.h"

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

bool Report::LoadTemplateFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    EngineStream s = EngineStream::FromFile(path);
    LoadTemplate(s);
    fileName = path;
    return true;
}

void Report::SaveTemplateFile(const std::string& path) {
    EngineStream s;
    SaveTemplate(s);
    s.SaveToFile(path);
    fileName = path;
}

void Report::LoadTemplate(EngineStream& s) {
    ReadTemplate(*this, s);
}

void Report::SaveTemplate(EngineStream& s) {
    WriteTemplate(*this, s);
}

void Report::ReadReportFormProperty(EngineStream& s) {
    int32_t version = 0;
    ReadI32(s, version);
    if (!storeInForm) return;
    int32_t length = 0;
    ReadI32(s, length);
    const size_t available =
        length > 0 ? std::min<size_t>(static_cast<size_t>(length), s.Remaining()) : 0;
    EngineStream embedded(std::string(s.Bytes(), s.Position(), available));
    s.Skip(available);
    LoadTemplate(embedded);
}

void Report::WriteReportFormProperty(EngineStream& s) {
    // Rendered first, so that a report the format cannot hold leaves the stream untouched.
    EngineStream embedded;
    if (storeInForm) SaveTemplate(embedded);
    WriteI32(s, kCurrentStreamVersion);
    if (!storeInForm) return;
    WriteI32(s, static_cast<int32_t>(embedded.Size()));
    s.Write(embedded.Bytes());
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
