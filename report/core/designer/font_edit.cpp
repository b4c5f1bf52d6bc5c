#include "report/core/designer/font_edit.h"

#include <string>

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/designer/design_document.h"

namespace report {

std::optional<Font> SelectedFont(const DesignDocument& document) {
    for (const View* view : document.SelectedViews()) {
        if (const auto* memo = dynamic_cast<const MemoView*>(view)) return memo->font;
    }
    return std::nullopt;
}

bool ApplyFont(DesignDocument& document, const Font& font) {
    const std::string name = Trim(font.name);
    if (name.empty()) throw EngineError(EngineText("designer.font_name_empty"));
    if (font.size < kMinFontSize || font.size > kMaxFontSize)
        throw EngineError(
            FormatMessage(EngineText("designer.font_size"),
                          {std::to_string(kMinFontSize), std::to_string(kMaxFontSize)}));
    for (View* view : document.SelectedViews()) {
        auto* memo = dynamic_cast<MemoView*>(view);
        if (memo == nullptr) continue;
        const uint8_t charset = memo->font.charset;
        memo->font = font;
        memo->font.name = name;
        memo->font.charset = charset;
    }
    return document.Commit();
}

}  // namespace report
