#include "report/core/designer/design_document.h"

#include <algorithm>
#include <limits>

#include "report/core/base/dialogs.h"
#include "report/core/base/engine_stream.h"
#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/file_replace.h"
#include "report/core/base/json.h"
#include "report/core/base/whole_file.h"
#include "report/core/file/file_texts.h"
#include "report/core/file/template_json.h"
#include "report/core/file/template_reader.h"
#include "report/core/file/template_writer.h"
#include "report/core/model/model_state.h"

namespace report {

namespace {

constexpr size_t kNoState = std::numeric_limits<size_t>::max();

// Keeps the first message the reader would have shown, to raise it instead.
class KeptMessage final : public DialogService {
  public:
    KeptMessage() : previous_(&Dialogs()) { InstallDialogs(this); }
    ~KeptMessage() override { InstallDialogs(previous_); }
    KeptMessage(const KeptMessage&) = delete;
    KeptMessage& operator=(const KeptMessage&) = delete;

    int ShowMessage(const std::string& text, const std::string&, int) override {
        if (message.empty()) message = text;
        return mr::kOk;
    }
    bool AskText(const std::string&, const std::string&, std::string&) override { return false; }

    std::string message;

  private:
    DialogService* previous_;
};

bool EndsWithJson(const std::string& path) {
    if (path.size() < 5) return false;
    std::string tail = path.substr(path.size() - 5);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".json";
}

}  // namespace

TemplateForm TemplateFormOf(const std::string& path) {
    return EndsWithJson(path) ? TemplateForm::Json : TemplateForm::Binary;
}

DesignDocument::DesignDocument(ModelState& state) : state_(state) {
    New();
}

DesignDocument::~DesignDocument() = default;

std::unique_ptr<Report> DesignDocument::NewReport() const {
    return std::make_unique<Report>(state_);
}

std::unique_ptr<Report> DesignDocument::ReportFrom(const std::string& bytes) const {
    std::unique_ptr<Report> report = NewReport();
    EngineStream stream(bytes);
    KeptMessage kept;
    const TemplateLoadOutcome outcome = ReadTemplate(*report, stream);
    if (outcome == TemplateLoadOutcome::Unsupported)
        throw EngineError(kept.message.empty() ? EngineText(file_text::kUnsupportedFormat)
                                               : kept.message);
    return report;
}

void DesignDocument::New() {
    report_ = NewReport();
    report_->AddPage();
    path_.clear();
    StartHistory();
}

void DesignDocument::Open(const std::string& path) {
    std::unique_ptr<Report> report;
    if (TemplateFormOf(path) == TemplateForm::Json) {
        report = NewReport();
        JsonToTemplate(ParseJson(ReadWholeFile(path)), *report);
    } else {
        report = ReportFrom(ReadWholeFile(path));
    }
    // An empty template still has a page to draw on.
    if (report->pages.Count() == 0) report->AddPage();
    report->fileName = path;
    report_ = std::move(report);
    path_ = path;
    StartHistory();
}

std::string DesignDocument::Serialize(TemplateForm form) const {
    if (form == TemplateForm::Json) return WriteJson(TemplateToJson(*report_));
    EngineStream stream;
    // Like the file tools, the template keeps its own printer whatever this machine has.
    WriteTemplate(*report_, stream, TemplateWriteOptions{true});
    return stream.TakeBytes();
}

void DesignDocument::Save(const std::string& path) {
    Commit();
    const std::string bytes = Serialize(TemplateFormOf(path));
    if (!ReplaceFileContent(path, bytes)) throw FileCreateError(path);
    path_ = path;
    report_->fileName = path;
    saved_ = current_;
}

Page& DesignDocument::CurrentPage() const {
    return report_->pages[page_];
}

void DesignDocument::ShowPage(size_t index) {
    if (index >= report_->pages.Count()) return;
    page_ = index;
    selection_.clear();
}

std::vector<View*> DesignDocument::SelectedViews() const {
    std::vector<View*> views;
    const Page& page = CurrentPage();
    for (size_t index : selection_)
        if (index < page.ObjectCount()) views.push_back(&page.ObjectAt(index));
    return views;
}

void DesignDocument::Select(std::vector<size_t> indexes) {
    const size_t count = CurrentPage().ObjectCount();
    std::erase_if(indexes, [count](size_t index) { return index >= count; });
    selection_.clear();
    for (size_t index : indexes)
        if (!IsSelected(index)) selection_.push_back(index);
}

void DesignDocument::ToggleSelected(size_t index) {
    const auto found = std::find(selection_.begin(), selection_.end(), index);
    if (found != selection_.end())
        selection_.erase(found);
    else if (index < CurrentPage().ObjectCount())
        selection_.push_back(index);
}

bool DesignDocument::IsSelected(size_t index) const {
    return std::find(selection_.begin(), selection_.end(), index) != selection_.end();
}

void DesignDocument::StartHistory() {
    page_ = 0;
    selection_.clear();
    states_.clear();
    states_.push_back(State{Serialize(TemplateForm::Binary), 0, {}});
    current_ = 0;
    saved_ = 0;
}

bool DesignDocument::Commit() {
    std::string bytes = Serialize(TemplateForm::Binary);
    if (bytes == states_[current_].bytes) {
        // Same template: the selection of the step follows what the user sees now.
        states_[current_].page = page_;
        states_[current_].selection = selection_;
        return false;
    }
    states_.resize(current_ + 1);
    if (saved_ != kNoState && saved_ > current_) saved_ = kNoState;
    states_.push_back(State{std::move(bytes), page_, selection_});
    ++current_;
    return true;
}

void DesignDocument::Restore(const State& state) {
    report_ = ReportFrom(state.bytes);
    report_->fileName = path_;
    page_ = std::min(state.page, report_->pages.Count() - 1);
    selection_.clear();
    Select(state.selection);
}

bool DesignDocument::Undo() {
    if (!CanUndo()) return false;
    --current_;
    Restore(states_[current_]);
    return true;
}

bool DesignDocument::Redo() {
    if (!CanRedo()) return false;
    ++current_;
    Restore(states_[current_]);
    return true;
}

void DesignDocument::Revert() {
    if (Serialize(TemplateForm::Binary) == states_[current_].bytes) return;
    Restore(states_[current_]);
}

}  // namespace report
