// The preview's keyboard table.
#include <gtest/gtest.h>

#include <vector>

#include "report/core/output/preview_keys.h"

namespace report {
namespace {

TEST(PreviewKeys, EachKeyHasItsAction) {
    using A = PreviewAction;
    using K = PreviewKey;
    struct Case {
        K key;
        bool ctrl;
        bool shift;
        A action;
    };
    const std::vector<Case> cases{
        {K::Up, false, false, A::ScrollUp},
        {K::Down, false, false, A::ScrollDown},
        {K::Left, false, false, A::ScrollLeft},
        {K::Right, false, false, A::ScrollRight},
        {K::PageUp, false, false, A::ScrollPageUp},
        {K::PageDown, false, false, A::ScrollPageDown},
        {K::PageUp, true, false, A::PreviousPage},
        {K::PageDown, true, false, A::NextPage},
        {K::Space, false, false, A::ZoomMenu},
        {K::Escape, false, false, A::Close},
        {K::Home, true, false, A::ScrollToTop},
        {K::End, true, false, A::LastPage},
        {K::F3, false, false, A::FindNext},
        {K::F3, false, true, A::FindNext},
        {K::O, true, false, A::Load},
        {K::S, true, false, A::Save},
        {K::P, true, false, A::Print},
        {K::F, true, false, A::Find},
        {K::E, true, false, A::EditPage},
        {K::E, true, true, A::ExportPdf},
        // Home and End alone go on; other Ctrl combinations are swallowed.
        {K::Home, false, false, A::NotHandled},
        {K::End, false, false, A::NotHandled},
        {K::O, false, false, A::NotHandled},
        {K::Other, false, false, A::NotHandled},
        {K::F3, true, false, A::Consumed},
        {K::Up, true, false, A::Consumed},
        {K::Other, true, false, A::Consumed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << static_cast<int>(c.key) << " ctrl " << c.ctrl
                                        << " shift " << c.shift);
        EXPECT_EQ(ActionForKey(c.key, {.ctrl = c.ctrl, .shift = c.shift}), c.action);
    }
}

}  // namespace
}  // namespace report
