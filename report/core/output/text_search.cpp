#include "report/core/output/text_search.h"

#include <variant>

#include "report/core/base/text.h"
#include "report/core/output/page_draw_rect.h"
#include "report/core/prepared/page_geometry.h"
#include "report/core/prepared/prepared_pages.h"
#include "report/core/render/page_drawing.h"
#include "report/core/render/recording_canvas.h"

namespace report {

std::optional<TextHit> FindTextOnPage(PreparedPages& pages, int index, const std::string& needle,
                                      bool caseSensitive, int resume,
                                      const FontMetricsSource* metrics) {
    PreparedPage& page = pages.PageAt(index);
    std::optional<RecordingCanvas> canvas;
    if (metrics != nullptr) {
        canvas.emplace(*metrics);
    } else {
        canvas.emplace();
    }
    page.visible = true;
    DrawPage(pages, index, *canvas, SheetRectOf(page));
    const auto& operations = canvas->Operations();
    for (size_t k = static_cast<size_t>(std::max(resume, 0)); k < operations.size(); ++k) {
        const auto* text = std::get_if<recorded::Text>(&operations[k]);
        if (text == nullptr) continue;
        const std::string haystack =
            caseSensitive ? text->output.text : UpperCase(text->output.text);
        if (haystack.find(needle) != std::string::npos)
            return TextHit{static_cast<int>(k), text->bounds};
    }
    return std::nullopt;
}

}  // namespace report
