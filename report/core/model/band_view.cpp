#include "report/core/model/band_view.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/core/data/dataset.h"

namespace report {
const std::string& BandTypeDisplayName(int type) {
    static const std::string empty;
    if (type < 0 || type >= kBandTypeCount) return empty;
    return EngineText(text_id::kFirstBandName + type);
}

BandView::BandView() : View(object_type::kBand, "Band") {
    flags = view_flag::kOnFirstPage | view_flag::kOnLastPage;
    formatCode = 0;
}

const FieldTable& BandView::StoredFields() const {
    using namespace prop_type;
    using K = StoredFieldKind;
    static const FieldTable table =
        CommonFields()
            .Replacing("FrameTyp", Stored("FrameTyp", kInteger, "bandType", K::BandType,
                                          MemberRef<&View::frameTyp>))
            .Replacing("Memo", Stored("OnBeforePrint", kEditor | kSpecial, {}, K::Lines,
                                      MemberRef<&View::memo>))
            .Adding({
                Stored("Memo", kHidden, {}, K::Lines, MemberRef<&View::memo>),
                Stored("ChildBand", kText, "childBand", K::Text, MemberRef<&BandView::childBand>),
                Stored("Columns", kInteger, "columns", K::Integer, MemberRef<&BandView::columns>),
                Stored("ColumnWidth", kInteger | kPosition, "columnWidth", K::Integer,
                       MemberRef<&BandView::columnWidth>),
                Stored("ColumnGap", kInteger | kPosition, "columnGap", K::Integer,
                       MemberRef<&BandView::columnGap>),
                Stored("NEWCOLUMNAFTER", kInteger, "newColumnAfter", K::Integer,
                       MemberRef<&BandView::newColumnAfter>),
                Stored("Master", kText, "master", K::Text, MemberRef<&BandView::master>),
                FlagProperty("FormNewPage", view_flag::kFormNewPage),
                FlagProperty("PrintIfSubsetEmpty", view_flag::kPrintIfSubsetEmpty),
                FlagProperty("Breaked", view_flag::kBreaked),
                FlagProperty("OnFirstPage", view_flag::kOnFirstPage),
                FlagProperty("OnLastPage", view_flag::kOnLastPage),
                FlagProperty("RepeatHeader", view_flag::kRepeatHeader),
                FlagProperty("PrintChildIfInvisible", view_flag::kPrintChildIfInvisible),
                Stored("Condition", kText, {}, K::Text, MemberRef<&View::formatPattern>),
                Computed("EOF", kHidden,
                         [](const PropertyObject& o) {
                             Dataset* data = static_cast<const BandView&>(o).build.dataSource;
                             return Variant::Boolean(data != nullptr && data->Eof());
                         }),
                Listed("DATASOURCE", kHidden),
            });
    return table;
}

bool BandView::ActsOnRuntimeBand(const std::string& n) const {
    return build.runtimeBand != nullptr && IsBuilding() &&
           (n == "LEFT" || n == "TOP" || n == "WIDTH" || n == "HEIGHT" || n == "VISIBLE" ||
            n == "DATASOURCE");
}

Variant BandView::GetPropertyValue(std::string_view propertyName) const {
    const std::string n = UpperCase(propertyName);
    if (ActsOnRuntimeBand(n)) return build.runtimeBand->GetPropertyValue(n);
    return View::GetPropertyValue(propertyName);
}

void BandView::SetPropertyValue(std::string_view propertyName, const Variant& value) {
    const std::string n = UpperCase(propertyName);
    if (ActsOnRuntimeBand(n)) {
        build.runtimeBand->SetPropertyValue(n, value);
        return;
    }
    View::SetPropertyValue(propertyName, value);
    if (n == "CHILDBAND" && build.runtimeBand != nullptr && IsBuilding())
        build.runtimeBand->SetPropertyValue("CHILDBAND", value);
}

bool BandView::CallMethod(std::string_view methodName, const Variant& p1, const Variant& p2,
                          const Variant& p3, Variant& result) {
    const std::string n = UpperCase(methodName);
    if ((n == "FIRST" || n == "NEXT" || n == "PRIOR") && IsBuilding()) {
        if (Dataset* data = build.dataSource) {
            if (n == "FIRST")
                data->First();
            else if (n == "NEXT")
                data->Next();
            else
                data->Prior();
        }
        return true;
    }
    return View::CallMethod(methodName, p1, p2, p3, result);
}

void BandView::ReadRecord(EngineStream& s, int version) {
    View::ReadRecord(s, version);
    if (version >= 24) {
        childBand = ReadString(s, version);
        ReadI32(s, columns);
        ReadI32(s, columnWidth);
        ReadI32(s, columnGap);
        ReadI32(s, newColumnAfter);
        if (recordVersion * 10 + recordSubVersion > 20) master = ReadString(s, version);
    }
}

void BandView::WriteRecord(EngineStream& s) {
    recordSubVersion = 1;
    View::WriteRecord(s);
    WriteString(s, childBand);
    WriteI32(s, columns);
    WriteI32(s, columnWidth);
    WriteI32(s, columnGap);
    WriteI32(s, newColumnAfter);
    WriteString(s, master);
}

}  // namespace report
