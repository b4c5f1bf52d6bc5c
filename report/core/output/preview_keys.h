// The preview's keyboard: what each key does, as a table from key and modifiers to an action.
#pragma once

namespace report {

// The keys the preview knows; every other key is Other.
enum class PreviewKey {
    Up,
    Down,
    Left,
    Right,
    PageUp,
    PageDown,
    Home,
    End,
    Space,
    Escape,
    F3,
    O,
    S,
    P,
    F,
    E,
    Other,
};

enum class PreviewAction {
    NotHandled,  // the key goes on to the focused control
    Consumed,    // swallowed without effect (any other Ctrl combination)
    ScrollUp,    // vertical by minus / plus the small step (10)
    ScrollDown,
    ScrollLeft,  // horizontal by minus / plus the small step
    ScrollRight,
    ScrollPageUp,  // vertical by minus / plus the large step (200)
    ScrollPageDown,
    PreviousPage,
    NextPage,
    ZoomMenu,
    Close,
    ScrollToTop,
    LastPage,
    FindNext,
    Load,
    Save,
    Print,
    Find,
    EditPage,
    ExportPdf,
};

struct KeyModifiers {
    bool ctrl = false;
    bool shift = false;
};

// The action of a key press while the preview holds pages. Shortcuts act whether or not
// their buttons are shown; the caller still checks what an action needs (a search text for
// F3, an enabled print button for Ctrl+P, a designer for Ctrl+E).
PreviewAction ActionForKey(PreviewKey key, KeyModifiers modifiers);

}  // namespace report
