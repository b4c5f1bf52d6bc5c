#include "report/core/output/preview_keys.h"

namespace report {

PreviewAction ActionForKey(PreviewKey key, KeyModifiers modifiers) {
    using A = PreviewAction;
    if (modifiers.ctrl) {
        switch (key) {
            case PreviewKey::PageUp:
                return A::PreviousPage;
            case PreviewKey::PageDown:
                return A::NextPage;
            case PreviewKey::Home:
                return A::ScrollToTop;
            case PreviewKey::End:
                return A::LastPage;
            case PreviewKey::O:
                return A::Load;
            case PreviewKey::S:
                return A::Save;
            case PreviewKey::P:
                return A::Print;
            case PreviewKey::F:
                return A::Find;
            case PreviewKey::E:
                return modifiers.shift ? A::ExportPdf : A::EditPage;
            default:
                return A::Consumed;
        }
    }
    switch (key) {
        case PreviewKey::Up:
            return A::ScrollUp;
        case PreviewKey::Down:
            return A::ScrollDown;
        case PreviewKey::Left:
            return A::ScrollLeft;
        case PreviewKey::Right:
            return A::ScrollRight;
        case PreviewKey::PageUp:
            return A::ScrollPageUp;
        case PreviewKey::PageDown:
            return A::ScrollPageDown;
        case PreviewKey::Space:
            return A::ZoomMenu;
        case PreviewKey::Escape:
            return A::Close;
        case PreviewKey::F3:
            return A::FindNext;
        default:
            return A::NotHandled;
    }
}

}  // namespace report
