#include "report/core/render/band_placement.h"

#include "report/core/base/rounding.h"
#include "report/core/model/band_view.h"
#include "report/core/model/page.h"

namespace report {

const BandView* BandHolding(const View& view, const Page& page) {
    const BandView* holder = nullptr;
    for (const auto& object : page.Objects()) {
        if (object.get() == &view || object->objectType != object_type::kBand) continue;
        const auto* band = dynamic_cast<const BandView*>(object.get());
        if (band == nullptr) continue;
        if (view.left >= band->left && view.left <= band->left + band->width &&
            view.top >= band->top && view.top <= band->top + band->height)
            holder = band;
    }
    return holder;
}

void PlaceInBand(View& view, const DrawingContext& context) {
    if (!context.printableArea) return;
    // Most objects are not aligned; finding the band under one costs a pass over the page.
    if (static_cast<BandAlign>(view.bandAlign) == BandAlign::baNone) return;
    const int32_t l = context.printableArea->left;
    const int32_t r = context.printableArea->right;
    const BandView* band = nullptr;
    if (!context.Printing() && context.designPage != nullptr)
        band = BandHolding(view, *context.designPage);

    switch (static_cast<BandAlign>(view.bandAlign)) {
        case BandAlign::baLeft:
            view.left = l;
            break;
        case BandAlign::baRight:
            view.left = r - view.width;
            break;
        case BandAlign::baCenter:
            view.left = l + HalfOf(r - l - view.width);
            break;
        case BandAlign::baWidth:
            if (context.Printing()) {
                if (!context.bandBeingOutput) {
                    view.left = l;
                    view.width = r - l - 1;
                }
            } else if (band != nullptr && IsVerticalBand(band->BandTypeCode())) {
                view.left = band->left;
                view.width = band->width;
            } else {
                view.left = l;
                view.width = r - l;
            }
            break;
        case BandAlign::baBottom:
            if (band != nullptr) view.top = band->top + band->height - view.height;
            break;
        case BandAlign::baTop:
            if (band != nullptr) view.top = band->top;
            break;
        case BandAlign::baNone:
        default:
            break;
    }
}

}  // namespace report
