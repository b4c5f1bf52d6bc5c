// The progress window as the build sees it: shown modally with a caption and a progress line,
// it runs the work once it is on screen; its cancel button calls the cancel action (the build
// then sets Terminated). The Qt window lives with the engine's windows; builds without
// windows pass none.
#pragma once

#include <functional>
#include <string>

namespace report {

class ProgressWindow {
  public:
    enum class Result { Ok, Cancel };
    virtual ~ProgressWindow() = default;

    // Shows the window modally (Windows-1252 texts; the second line emptied), calls `work`
    // once it is shown and returns the result given to Close. `cancel` runs when the user
    // presses the cancel button (or Escape). An exception thrown by `work` closes the window
    // and is raised again by RunModal, never inside the window's event loop.
    virtual Result RunModal(const std::string& caption, const std::string& label,
                            const std::function<void()>& work,
                            const std::function<void()>& cancel) = 0;
    // Closes the window; RunModal then returns `result`.
    virtual void Close(Result result) = 0;
    // The progress line, then pending window messages run once.
    virtual void SetLabel(const std::string& label) = 0;
    // The second line (the scripts' PROGRESS), then pending window messages run once.
    virtual void SetSecondLine(const std::string& text) = 0;
};

}  // namespace report
