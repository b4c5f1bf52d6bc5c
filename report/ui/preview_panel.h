// A panel that hosts a preview on another window: the page box, scroll bars and optionally
// the toolbar of a preview window of its own, with a wheel step of 3.
#pragma once

#include <QFrame>
#include <memory>

namespace report {

class PreparedPages;
class PreviewWindow;
class Report;

class PreviewPanel : public QFrame {
    Q_OBJECT
  public:
    enum class ScrollBars { None, Horizontal, Vertical, Both };

    explicit PreviewPanel(QWidget* parent = nullptr);
    ~PreviewPanel() override;

    void ShowPages(Report& report, std::unique_ptr<PreparedPages> pages, bool printerAvailable);
    std::unique_ptr<PreparedPages> ReturnPages();
    int CurrentPage() const;
    void SetShowToolbar(bool on);
    PreviewWindow& Preview() { return *window_; }

  signals:
    void PageChanged(int page);

  private:
    PreviewWindow* window_;
};

}  // namespace report
