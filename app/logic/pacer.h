// How a long operation lets the window live: processing of pending window messages, and pauses.
// The program's implementation keeps the window repainting through each pause; tests return at
// once.
#pragma once

namespace app {

class Pacer {
  public:
    virtual ~Pacer() = default;
    // Handles the window messages that are waiting, then returns.
    virtual void ProcessEvents() = 0;
    // Waits the given number of milliseconds.
    virtual void Pause(int milliseconds) = 0;
};

}  // namespace app
