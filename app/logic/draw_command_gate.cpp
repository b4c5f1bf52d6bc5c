#include "app/logic/draw_command_gate.h"

namespace app {

bool DrawCommandGate::RunDraw(const std::function<void()>& draw) {
    if (drawRunning_) return false;
    drawRunning_ = true;
    struct Reopen {
        bool& running;
        ~Reopen() { running = false; }
    } reopen{drawRunning_};
    draw();
    return true;
}

bool DrawCommandGate::RequestQuit() {
    if (!drawRunning_) return true;
    quitDeferred_ = true;
    return false;
}

bool DrawCommandGate::TakeDeferredQuit() {
    if (drawRunning_ || !quitDeferred_) return false;
    quitDeferred_ = false;
    return true;
}

}  // namespace app
