#include "report/core/model/view_factory.h"

#include "report/core/model/band_view.h"
#include "report/core/model/line_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/picture_view.h"
#include "report/core/model/subreport_view.h"

namespace report {

std::unique_ptr<View> ViewFactory::CreateViewByType(int type, std::string_view className) {
    std::unique_ptr<View> view;
    switch (type) {
        case object_type::kMemo:
            view = std::make_unique<MemoView>();
            break;
        case object_type::kPicture:
            view = std::make_unique<PictureView>();
            if (constants_ != nullptr) AddPictureConstants(*constants_);
            break;
        case object_type::kBand:
            view = std::make_unique<BandView>();
            break;
        case object_type::kSubReport:
            view = std::make_unique<SubReportView>();
            break;
        case object_type::kLine:
            view = std::make_unique<LineView>();
            break;
        case object_type::kAddIn:
            for (const AddInClass& addIn : addIns_) {
                if (addIn.className == className) {
                    view = addIn.create();
                    break;
                }
            }
            break;
        default:
            break;
    }
    if (view) view->objectId = nextObjectId_++;
    return view;
}

bool ViewFactory::RegisterAddIn(AddInClass addIn) {
    if (addIns_.size() >= kMaxAddIns || !addIn.create) return false;
    for (const AddInClass& existing : addIns_) {
        if (existing.className == addIn.className) return false;
    }
    addIns_.push_back(std::move(addIn));
    return true;
}

}  // namespace report
