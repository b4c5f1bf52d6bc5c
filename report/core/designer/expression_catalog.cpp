#include "report/core/designer/expression_catalog.h"

#include <algorithm>

#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/data/component_registry.h"
#include "report/core/data/data_access.h"
#include "report/core/model/report.h"

namespace report {
namespace {

std::string FieldReferenceText(const std::string& source, const std::string& field) {
    return source + ".\"" + field + "\"";
}

bool LessText(const std::string& a, const std::string& b) {
    return CompareText(a, b) < 0;
}

}  // namespace

ExpressionCatalog BuildExpressionCatalog(const Report& report, const ComponentRegistry& registry,
                                         const InstalledFunctions& installed) {
    ExpressionCatalog catalog;
    for (const ComponentOwner* form : registry.Forms()) {
        for (const Component* component : form->Components()) {
            const auto* dataSet = dynamic_cast<const DataAccess*>(component);
            if (dataSet == nullptr || report.dictionary.IsHiddenSource(dataSet->Name())) continue;
            try {
                for (const std::string& field : dataSet->FieldNames())
                    catalog.dataFields.push_back(FieldReferenceText(dataSet->Name(), field));
            } catch (const EngineError&) {
                // A data set that cannot list its fields now offers none.
            }
        }
    }
    std::sort(catalog.dataFields.begin(), catalog.dataFields.end(), LessText);

    for (const std::string& category : report.dictionary.Categories()) {
        for (std::string& name : report.dictionary.VariablesOf(category))
            catalog.dictionaryVariables.push_back(std::move(name));
    }

    catalog.standardVariables = {"PAGE#",     "TOTALPAGES", "LINE#",      "LINETHROUGH#", "COLUMN#",
                                 "CURRENT#",  "DATE",       "TIME",       "VALUE",        "CURY",
                                 "FREESPACE", "FINALPASS",  "PAGEHEIGHT", "PAGEWIDTH"};

    catalog.functions = installed.All();
    std::sort(catalog.functions.begin(), catalog.functions.end(),
              [](const FunctionDescription& a, const FunctionDescription& b) {
                  return LessText(a.name, b.name);
              });
    return catalog;
}

}  // namespace report
