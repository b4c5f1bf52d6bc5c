// ReportBuilder: its answers as the language's BuildContext.
#include "report/core/building/report_builder.h"

#include "report/core/base/text.h"
#include "report/core/building/progress_window.h"
#include "report/core/building/report_builder_parts.h"
#include "report/core/building/view_build_access.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/report.h"

namespace report {

using namespace build_detail;

void ReportBuilder::OnGetValue(const std::string& name, Variant& value) {
    if (report_->onGetValue) report_->onGetValue(name, value);
}

void ReportBuilder::OnUserFunction(const std::string& name, const Variant& p1, const Variant& p2,
                                   const Variant& p3, Variant& val) {
    if (report_->onUserFunction) report_->onUserFunction(name, p1, p2, p3, val);
}

bool ReportBuilder::IsDictionaryName(const std::string& name) {
    return report_->dictionary.IsVariable(name);
}

Variant ReportBuilder::DictionaryValue(const std::string& name) {
    return report_->dictionary.GetValue(name);
}

const Variables* ReportBuilder::DictionaryVariables() const {
    return &report_->dictionary.variables;
}

int ReportBuilder::LineNumber() const {
    const Band* band = crossRow_ != nullptr ? crossRow_ : currentBand_;
    if (band == nullptr || page_ == nullptr) return 0;
    if (band->DataSource() != nullptr) return band->lineNumber;
    Band* head = page_->heads[static_cast<size_t>(band->kind)];
    return head != nullptr ? head->lineNumber : 0;
}

int ReportBuilder::LineThrough() const {
    const Band* band = crossRow_ != nullptr ? crossRow_ : currentBand_;
    if (band == nullptr || page_ == nullptr) return 0;
    if (band->DataSource() != nullptr) return band->lineThrough;
    Band* head = page_->heads[static_cast<size_t>(band->kind)];
    return head != nullptr ? head->lineThrough : 0;
}

int ReportBuilder::ColumnNumber() const {
    return page_ != nullptr ? page_->columnCounter : 0;
}

int ReportBuilder::RecordNumber() const {
    return page_ != nullptr ? page_->recordCounter : 0;
}

int ReportBuilder::CurY() const {
    return page_ != nullptr ? page_->curY : 0;
}

void ReportBuilder::SetCurY(int y) {
    if (page_ == nullptr) return;
    page_->curY = y;
    if (currentBand_ != nullptr &&
        (currentBand_->pageBreaksAsked > 0 || currentBand_->columnBreaksAsked > 0))
        currentBand_->positionKept = true;
}

int ReportBuilder::BottomY() const {
    return page_ != nullptr ? page_->bottomY : 0;
}

int ReportBuilder::RightX() const {
    return page_ != nullptr ? page_->rightX : 0;
}

int ReportBuilder::PageFooterHeight(const PropertyAccess& page) const {
    if (page_ == nullptr || page_->page != &page) return 0;
    const Band* footer = Head(band_type::kPageFooter);
    return footer != nullptr ? footer->height : 0;
}

ViewFormat ReportBuilder::CurrentViewFormat() const {
    ViewFormat format;
    if (currentView_ == nullptr) return format;
    format.formatCode = currentView_->formatCode;
    format.formatPattern = currentView_->formatPattern;
    format.hideZeros = currentView_->HasFlag(view_flag::kHideZeros) && CurrentViewIsText();
    format.textOnly = currentView_->HasFlag(view_flag::kTextOnly) && CurrentViewIsText();
    return format;
}

bool ReportBuilder::CurrentViewIsText() const {
    return dynamic_cast<MemoView*>(currentView_) != nullptr;
}

std::vector<std::string> ReportBuilder::CurrentViewMemo() const {
    return currentView_ != nullptr ? currentView_->memo : std::vector<std::string>{};
}

void ReportBuilder::SetCurrentViewExpandedMemo(std::vector<std::string> lines) {
    if (currentView_ != nullptr) ExpandedMemo(*currentView_) = std::move(lines);
}

int ReportBuilder::CurrentViewWidth() const {
    return currentView_ != nullptr ? currentView_->width : 0;
}

PropertyAccess* ReportBuilder::FindObject(const std::string& name) {
    return report_->FindObject(name);
}

PropertyAccess* ReportBuilder::TemplatePage(int number) {
    if (number < 1 || static_cast<size_t>(number) > report_->pages.Count()) return nullptr;
    return &report_->pages[static_cast<size_t>(number - 1)];
}

void ReportBuilder::ShowProgress(const std::string& text) {
    if (progress_ != nullptr && windowOpen_) progress_->SetSecondLine(text);
}

void ReportBuilder::NewPage() {
    if (currentBand_ != nullptr) ++currentBand_->pageBreaksAsked;
}

void ReportBuilder::NewColumn() {
    if (currentBand_ != nullptr) ++currentBand_->columnBreaksAsked;
}

void ReportBuilder::ShowBand(const std::string& name) {
    if (page_ == nullptr) return;
    Band* saved = currentBand_;
    View* savedView = currentView_;
    for (auto& band : page_->bands) {
        if (band->Exists() && SameText(band->name, name)) {
            PrintBand(band.get());
            break;
        }
    }
    currentBand_ = saved;
    currentView_ = savedView;
}

std::string ReportBuilder::CurrentBandName() const {
    return currentBand_ != nullptr ? currentBand_->name : std::string();
}

int ReportBuilder::CurrentBandType() const {
    return currentBand_ != nullptr ? currentBand_->kind : -1;
}

}  // namespace report
