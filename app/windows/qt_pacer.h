// The draw's pacing in the running program: pending events are handled, and each pause runs a
// local event loop so that the windows keep repainting and answering while the draw waits.
#pragma once

#include "app/logic/pacer.h"

namespace app {

class QtPacer final : public Pacer {
  public:
    void ProcessEvents() override;
    void Pause(int milliseconds) override;
};

}  // namespace app
