// A template open in the designer: the report, the file it came from, the page shown and the
// objects selected on it, and the history of its states for undo and redo.
//
// Every change is made on the report, then Commit records the new state as one step; a drag
// commits once, at its end. A state is the template as saved (version 24), with the page shown
// and the selection, so that undo gives back exactly the template of that step.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "report/core/model/report.h"

namespace report {

class ModelState;

// How a template file is stored: chosen by the extension, ".json" (any case) for the JSON form.
enum class TemplateForm { Binary, Json };
TemplateForm TemplateFormOf(const std::string& path);

class DesignDocument {
  public:
    // A new template: one report page on the default paper, not modified.
    explicit DesignDocument(ModelState& state);
    ~DesignDocument();
    DesignDocument(const DesignDocument&) = delete;
    DesignDocument& operator=(const DesignDocument&) = delete;

    // Starts a new template (one page, no path) and forgets the history.
    void New();
    // Reads a template (.etf or .json). EngineError with the French message when it cannot be
    // read; the document is then as it was.
    void Open(const std::string& path);
    // Writes the template in the form of `path`'s extension through a temporary file beside
    // it. FileCreateError (or the engine's refusal) when it could not: the file and the
    // document's modified state stay as they were. On success `path` becomes the document's.
    void Save(const std::string& path);
    // The template in the form given, as Save writes it.
    std::string Serialize(TemplateForm form) const;

    Report& GetReport() const { return *report_; }
    const std::string& Path() const { return path_; }
    // Whether the template differs from the state last opened or saved.
    bool Modified() const { return current_ != saved_; }

    // ---- the page shown ----
    size_t PageIndex() const { return page_; }
    Page& CurrentPage() const;
    // Shows another page; the selection is emptied.
    void ShowPage(size_t index);

    // ---- selection: indexes into the current page's objects, in the order selected ----
    const std::vector<size_t>& Selection() const { return selection_; }
    std::vector<View*> SelectedViews() const;
    void Select(std::vector<size_t> indexes);
    void ClearSelection() { selection_.clear(); }
    void ToggleSelected(size_t index);
    bool IsSelected(size_t index) const;

    // ---- history ----
    // Records the report as it is now as a new step, when it differs from the current one
    // (later steps are dropped). Returns whether a step was recorded.
    bool Commit();
    // Puts the report back to the state before the last change that Commit recorded, and the
    // next back again; false when there is none. The state's page and selection come back.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < states_.size(); }
    // Puts the report back to the current step, dropping what was changed since (a cancelled
    // drag, a refused edit).
    void Revert();

  private:
    struct State {
        std::string bytes;  // the template, version 24
        size_t page = 0;
        std::vector<size_t> selection;
    };
    std::unique_ptr<Report> NewReport() const;
    std::unique_ptr<Report> ReportFrom(const std::string& bytes) const;
    void Restore(const State& state);
    void StartHistory();

    ModelState& state_;
    std::unique_ptr<Report> report_;
    std::string path_;
    size_t page_ = 0;
    std::vector<size_t> selection_;
    std::vector<State> states_;
    size_t current_ = 0;
    size_t saved_ = 0;
};

}  // namespace report
