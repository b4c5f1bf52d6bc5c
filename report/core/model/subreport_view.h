// The sub-report object: prints another page of the report in its place.
#pragma once

#include "report/core/model/view.h"

namespace report {

class SubReportView : public View {
  public:
    SubReportView() : View(object_type::kSubReport, "SubReport") {}
    std::string ClassName() const override { return "SubReportView"; }

    int32_t subReportPage = 0;  // index of the page holding the sub-report

    const FieldTable& StoredFields() const override {
        static const FieldTable table = CommonFields().Adding({
            Stored({}, 0, "subReportPage", StoredFieldKind::Integer,
                   MemberRef<&SubReportView::subReportPage>),
        });
        return table;
    }

    void ReadRecord(EngineStream& s, int version) override {
        View::ReadRecord(s, version);
        ReadI32(s, subReportPage);
    }
    void WriteRecord(EngineStream& s) override {
        View::WriteRecord(s);
        WriteI32(s, subReportPage);
    }
};

}  // namespace report
