#include "report/core/designer/page_options.h"

#include <string>

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/designer/design_document.h"
#include "report/core/model/page.h"
#include "report/core/printer/paper_table.h"

namespace report {
namespace {

void CheckBeforePaper(const PageOptions& options) {
    if (options.paperCode == kCustomPaperCode &&
        (options.paperWidth < 1 || options.paperWidth > kMaxPaperLength ||
         options.paperHeight < 1 || options.paperHeight > kMaxPaperLength))
        throw EngineError(FormatMessage(EngineText("designer.paper_size_range"),
                                        {"1", std::to_string(kMaxPaperLength)}));
    if (options.leftMargin < 0 || options.topMargin < 0 || options.rightMargin < 0 ||
        options.bottomMargin < 0 || options.columnGap < 0)
        throw EngineError(EngineText("designer.page_margin_negative"));
    if (options.columns < 1 || options.columns > kMaxPageColumns)
        throw EngineError(FormatMessage(EngineText("designer.columns_range"),
                                        {"1", std::to_string(kMaxPageColumns)}));
}

}  // namespace

PageOptions ReadPageOptions(const Page& page) {
    PageOptions options;
    options.paperCode = page.size;
    options.paperWidth = page.width;
    options.paperHeight = page.height;
    options.orientation = page.orientation;
    options.leftMargin = page.leftMargin;
    options.topMargin = page.topMargin;
    options.rightMargin = page.rightMargin;
    options.bottomMargin = page.bottomMargin;
    // A page stored with no columns prints one.
    options.columns = page.columns < 1 ? 1 : page.columns;
    options.columnGap = page.columnGap;
    return options;
}

bool ApplyPageOptions(DesignDocument& document, const PageOptions& options) {
    CheckBeforePaper(options);
    Page& page = document.CurrentPage();
    page.ChangePaper(options.paperCode, options.paperWidth, options.paperHeight, page.paperBin,
                     options.orientation);
    // Margins are checked against the paper the printer layer actually took.
    if (int64_t{options.leftMargin} + options.rightMargin >= page.metrics.pageWidth ||
        int64_t{options.topMargin} + options.bottomMargin >= page.metrics.pageHeight) {
        document.Revert();
        throw EngineError(EngineText("designer.page_margins_too_wide"));
    }
    page.leftMargin = options.leftMargin;
    page.topMargin = options.topMargin;
    page.rightMargin = options.rightMargin;
    page.bottomMargin = options.bottomMargin;
    if (!(options.columns == 1 && page.columns < 1)) page.columns = options.columns;
    page.columnGap = options.columnGap;
    return document.Commit();
}

}  // namespace report
