#include "report/ui/preview_panel.h"

#include <QToolBar>
#include <QVBoxLayout>

#include "report/core/prepared/prepared_pages.h"
#include "report/ui/preview_page_box.h"
#include "report/ui/preview_window.h"

namespace report {

PreviewPanel::PreviewPanel(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    window_ = new PreviewWindow(this);
    window_->setWindowFlags(Qt::Widget);  // its client area lives inside the panel
    window_->PageBox().SetWheelStep(3);
    window_->onPageChanged = [this](int page) { emit PageChanged(page); };
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(window_);
}

PreviewPanel::~PreviewPanel() = default;

void PreviewPanel::ShowPages(Report& report, std::unique_ptr<PreparedPages> pages,
                             bool printerAvailable) {
    window_->AttachPages(report, std::move(pages), printerAvailable);
    window_->show();
}

std::unique_ptr<PreparedPages> PreviewPanel::ReturnPages() {
    return window_->ReturnPages();
}

int PreviewPanel::CurrentPage() const {
    return window_->Controller().CurrentPage();
}

void PreviewPanel::SetShowToolbar(bool on) {
    window_->Toolbar().setVisible(on);
}

}  // namespace report
