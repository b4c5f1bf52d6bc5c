#include "report/core/building/band.h"

#include "report/core/base/text.h"
#include "report/core/building/view_build_access.h"
#include "report/core/model/band_view.h"
#include "report/core/model/report.h"

namespace report {

Band::~Band() {
    if (view != nullptr) {
        SetRuntimeBand(*view, nullptr, nullptr);
    }
}

void Band::TakeFrom(BandView& object, Report& report, bool subReportPage) {
    view = &object;
    report_ = &report;
    name = object.name;
    flags = object.flags;
    left = object.left;
    top = object.top;
    width = object.width;
    height = object.height;
    stretched = object.HasFlag(view_flag::kStretched);
    printIfSubsetEmpty = object.HasFlag(view_flag::kPrintIfSubsetEmpty);
    formNewPage = object.HasFlag(view_flag::kFormNewPage) && !subReportPage;
    breaked = object.HasFlag(view_flag::kBreaked) && !subReportPage;
    printChildIfInvisible = object.HasFlag(view_flag::kPrintChildIfInvisible);
    childBandName = object.childBand;
    dataSource.Bind(report, kind, object.formatPattern);
    SetRuntimeBand(object, this, dataSource.Get());
}

bool Band::IsVisible() const {
    return view != nullptr ? view->IsVisible() : placeholderVisible_;
}

bool Band::HasProperty(std::string_view propertyName) const {
    const std::string n = UpperCase(propertyName);
    return n == "LEFT" || n == "TOP" || n == "WIDTH" || n == "HEIGHT" || n == "VISIBLE" ||
           n == "DATASOURCE" || n == "CHILDBAND";
}

Variant Band::GetPropertyValue(std::string_view propertyName) const {
    const std::string n = UpperCase(propertyName);
    if (n == "LEFT") return Variant::Int32(left);
    if (n == "TOP") return Variant::Int32(top);
    if (n == "WIDTH") return Variant::Int32(width);
    if (n == "HEIGHT") return Variant::Int32(height);
    if (n == "VISIBLE") return Variant::Boolean(IsVisible());
    if (n == "DATASOURCE") {
        Dataset* source = DataSource();
        return Variant::String(source != nullptr ? source->Name() : std::string());
    }
    if (n == "CHILDBAND") return Variant::String(childBandName);
    return {};
}

void Band::SetPropertyValue(std::string_view propertyName, const Variant& value) {
    const std::string n = UpperCase(propertyName);
    if (n == "LEFT") {
        left = value.ToInt();
    } else if (n == "TOP") {
        top = value.ToInt();
    } else if (n == "WIDTH") {
        width = value.ToInt();
    } else if (n == "HEIGHT") {
        height = value.ToInt();
    } else if (n == "VISIBLE") {
        const bool on = value.ToBool();
        if (view != nullptr)
            view->visible = on ? 0xFFFF : 0;
        else
            placeholderVisible_ = on;
    } else if (n == "DATASOURCE") {
        if (report_ == nullptr) return;
        dataSource.Release();
        dataSource.Bind(*report_, kind, value.ToText());
        if (view != nullptr) SetRuntimeBand(*view, this, dataSource.Get());
    } else if (n == "CHILDBAND") {
        // The child link follows the name; the builder resolves it before the band prints.
        childBandName = value.ToText();
        childBand = nullptr;
    }
}

bool Band::CallMethod(std::string_view methodName, const Variant&, const Variant&, const Variant&,
                      Variant&) {
    const std::string n = UpperCase(methodName);
    Dataset* source = DataSource();
    if (n == "FIRST" || n == "NEXT" || n == "PRIOR") {
        if (source != nullptr) {
            if (n == "FIRST")
                source->First();
            else if (n == "NEXT")
                source->Next();
            else
                source->Prior();
        }
        return true;
    }
    return false;
}

}  // namespace report
