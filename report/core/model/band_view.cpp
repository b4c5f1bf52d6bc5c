#include "report/core/model/band_view.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/core/data/dataset.h"

namespace report {
namespace {

struct FlagProperty {
    const char* name;
    uint16_t bit;
};

constexpr FlagProperty kBandFlags[] = {
    {"FORMNEWPAGE", view_flag::kFormNewPage},
    {"PRINTIFSUBSETEMPTY", view_flag::kPrintIfSubsetEmpty},
    {"BREAKED", view_flag::kBreaked},
    {"ONFIRSTPAGE", view_flag::kOnFirstPage},
    {"ONLASTPAGE", view_flag::kOnLastPage},
    {"REPEATHEADER", view_flag::kRepeatHeader},
    {"PRINTCHILDIFINVISIBLE", view_flag::kPrintChildIfInvisible},
};

}  // namespace

const std::string& BandTypeDisplayName(int type) {
    static const std::string empty;
    if (type < 0 || type >= kBandTypeCount) return empty;
    return EngineText(text_id::kFirstBandName + type);
}

BandView::BandView() : View(object_type::kBand, "Band") {
    flags = view_flag::kOnFirstPage | view_flag::kOnLastPage;
    formatCode = 0;
}

void BandView::RegisterProperties(std::vector<PropertyInfo>& list) const {
    using namespace prop_type;
    View::RegisterProperties(list);
    for (PropertyInfo& info : list) {
        if (info.name == "Memo") info.name = "OnBeforePrint";
    }
    AddProperty(list, "Memo", kHidden);
    AddProperty(list, "ChildBand", kText);
    AddProperty(list, "Master", kText);
    AddProperty(list, "FormNewPage", kBoolean);
    AddProperty(list, "PrintIfSubsetEmpty", kBoolean);
    AddProperty(list, "Breaked", kBoolean);
    AddProperty(list, "OnFirstPage", kBoolean);
    AddProperty(list, "OnLastPage", kBoolean);
    AddProperty(list, "RepeatHeader", kBoolean);
    AddProperty(list, "PrintChildIfInvisible", kBoolean);
    AddProperty(list, "Condition", kText);
    AddProperty(list, "Columns", kInteger);
    AddProperty(list, "ColumnGap", kInteger | kPosition);
    AddProperty(list, "ColumnWidth", kInteger | kPosition);
    AddProperty(list, "NEWCOLUMNAFTER", kInteger);
    AddProperty(list, "EOF", kHidden);
    AddProperty(list, "DATASOURCE", kHidden);
}

bool BandView::ActsOnRuntimeBand(const std::string& n) const {
    return runtimeBand != nullptr && IsBuilding() &&
           (n == "LEFT" || n == "TOP" || n == "WIDTH" || n == "HEIGHT" || n == "VISIBLE" ||
            n == "DATASOURCE");
}

Variant BandView::GetPropertyValue(std::string_view propertyName) const {
    const std::string n = UpperCase(propertyName);
    if (ActsOnRuntimeBand(n)) return runtimeBand->GetPropertyValue(n);
    if (n == "ONBEFOREPRINT") return View::GetPropertyValue("MEMO");
    if (n == "CHILDBAND") return Variant::String(childBand);
    if (n == "MASTER") return Variant::String(master);
    if (n == "CONDITION") return Variant::String(formatPattern);
    if (n == "COLUMNS") return Variant::Int32(columns);
    if (n == "COLUMNGAP") return Variant::Int32(columnGap);
    if (n == "COLUMNWIDTH") return Variant::Int32(columnWidth);
    if (n == "NEWCOLUMNAFTER") return Variant::Int32(newColumnAfter);
    if (n == "EOF") return Variant::Boolean(dataSource != nullptr && dataSource->Eof());
    for (const FlagProperty& flag : kBandFlags) {
        if (n == flag.name) return Variant::Boolean(HasFlag(flag.bit));
    }
    return View::GetPropertyValue(propertyName);
}

void BandView::SetPropertyValue(std::string_view propertyName, const Variant& value) {
    const std::string n = UpperCase(propertyName);
    if (ActsOnRuntimeBand(n)) {
        runtimeBand->SetPropertyValue(n, value);
    } else if (n == "ONBEFOREPRINT") {
        View::SetPropertyValue("MEMO", value);
    } else if (n == "CHILDBAND") {
        childBand = value.ToText();
        if (runtimeBand != nullptr && IsBuilding())
            runtimeBand->SetPropertyValue("CHILDBAND", value);
    } else if (n == "MASTER") {
        master = value.ToText();
    } else if (n == "CONDITION") {
        formatPattern = value.ToText();
    } else if (n == "COLUMNS") {
        columns = value.ToInt();
    } else if (n == "COLUMNGAP") {
        columnGap = value.ToInt();
    } else if (n == "COLUMNWIDTH") {
        columnWidth = value.ToInt();
    } else if (n == "NEWCOLUMNAFTER") {
        newColumnAfter = value.ToInt();
    } else if (n == "EOF") {
        // read only
    } else {
        for (const FlagProperty& flag : kBandFlags) {
            if (n == flag.name) {
                SetFlag(flag.bit, value.ToBool());
                return;
            }
        }
        View::SetPropertyValue(propertyName, value);
    }
}

bool BandView::CallMethod(std::string_view methodName, const Variant& p1, const Variant& p2,
                          const Variant& p3, Variant& result) {
    const std::string n = UpperCase(methodName);
    if ((n == "FIRST" || n == "NEXT" || n == "PRIOR") && IsBuilding()) {
        if (dataSource != nullptr) {
            if (n == "FIRST")
                dataSource->First();
            else if (n == "NEXT")
                dataSource->Next();
            else
                dataSource->Prior();
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
