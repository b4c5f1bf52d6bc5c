// The rule of the commands around a draw. While a draw runs, window messages are let through
// between picks, so a second draw or an import could start inside it and change the team list
// under it: those commands are ignored until the draw has ended. A request to quit waits for
// the draw's end, so that the results file is written first.
#pragma once

#include <functional>

namespace app {

class DrawCommandGate {
  public:
    bool IsDrawRunning() const { return drawRunning_; }

    // Whether a command that a running draw excludes (import, draw, print) may run now.
    bool AcceptsCommands() const { return !drawRunning_; }

    // Runs the draw unless one is running already; false when it was ignored. The gate is open
    // again once `draw` has returned or thrown.
    bool RunDraw(const std::function<void()>& draw);

    // A request to quit: true when the program may quit now; false while a draw runs, the
    // request being kept until TakeDeferredQuit().
    bool RequestQuit();

    // True once, after a draw has ended, when a request to quit came during it.
    bool TakeDeferredQuit();

  private:
    bool drawRunning_ = false;
    bool quitDeferred_ = false;
};

}  // namespace app
