#include "app/logic/main_window_size.h"

namespace app {

WindowSize InnerSizeForOuterSize(const FrameMargins& frame) {
    return {kMainWindowOuterSize - frame.left - frame.right,
            kMainWindowOuterSize - frame.top - frame.bottom};
}

int DefaultColumnWidth(int outerWidth) {
    return (outerWidth - 80) / 2;
}

}  // namespace app
