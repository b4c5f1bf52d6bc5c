// The lists of the "Insérer une expression" builder: what a bracketed expression may name.
#pragma once

#include <string>
#include <vector>

#include "report/core/language/installed_functions.h"

namespace report {

class ComponentRegistry;
class Report;

struct ExpressionCatalog {
    // The fields of the data sets of the registered forms, as `Source."Field"` (the form
    // resolves such a name), sources without the hidden ones, sorted without case.
    std::vector<std::string> dataFields;
    // The report's dictionary variables, category by category, without the category headers.
    std::vector<std::string> dictionaryVariables;
    // The names the engine itself answers while a report is built.
    std::vector<std::string> standardVariables;
    // The registered libraries' functions, with their categories and descriptions (a
    // signature, a slash, the explanation), sorted by name.
    std::vector<FunctionDescription> functions;
};

ExpressionCatalog BuildExpressionCatalog(const Report& report, const ComponentRegistry& registry,
                                         const InstalledFunctions& installed);

}  // namespace report
