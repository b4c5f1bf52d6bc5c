#include "report/core/model/model_state.h"

namespace report {

void ModelState::WaitForPrinter() {
    // Start-up is synchronous here; the loop only serves a layer started elsewhere.
    for (int round = 0; !printer.IsReady() && round < 1000 && processEvents; ++round)
        processEvents();
    if (!printer.IsReady()) printer.Start(nullptr);
}

}  // namespace report
