#include "report/core/designer/dictionary_variables.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/data/data_dictionary.h"
#include "report/core/designer/design_document.h"
#include "report/core/designer/expression_check.h"
#include "report/core/model/report.h"

namespace report {
namespace {

void CheckUnique(std::vector<std::string>& seen, const std::string& name, const char* key) {
    for (const std::string& other : seen) {
        if (SameText(other, name)) throw EngineError(FormatMessage(EngineText(key), {name}));
    }
    seen.push_back(name);
}

}  // namespace

std::vector<DictionaryCategory> ReadDictionaryCategories(const DataDictionary& dictionary) {
    std::vector<DictionaryCategory> categories;
    const Variables& variables = dictionary.variables;
    for (int i = 0; i < variables.Count(); ++i) {
        const std::string& name = variables.NameAt(i);
        if (!name.empty() && name.front() == ' ') {
            categories.push_back(DictionaryCategory{name.substr(1), {}});
            continue;
        }
        // An empty name ends a category; it carries nothing worth keeping.
        if (name.empty()) continue;
        if (categories.empty()) categories.push_back(DictionaryCategory{});
        categories.back().variables.push_back(
            DictionaryVariable{name, variables.ValueAt(i).ToText()});
    }
    return categories;
}

namespace {

// The variable list the dictionary stores; EngineError for what a build could not read.
Variables VariableList(const std::vector<DictionaryCategory>& categories) {
    Variables result;
    std::vector<std::string> categoryNames;
    std::vector<std::string> variableNames;
    for (size_t c = 0; c < categories.size(); ++c) {
        const std::string category = Trim(categories[c].name);
        if (category.empty()) {
            // Only the variables ahead of every header may go without one.
            if (c != 0) throw EngineError(EngineText("designer.category_empty"));
        } else {
            CheckUnique(categoryNames, category, "designer.category_taken");
            result.Set(" " + category, Variant::String(""));
        }
        for (const DictionaryVariable& variable : categories[c].variables) {
            const std::string name = Trim(variable.name);
            if (name.empty()) throw EngineError(EngineText("designer.variable_empty"));
            CheckUnique(variableNames, name, "designer.variable_taken");
            const std::string expression = Trim(variable.expression);
            if (!expression.empty()) {
                if (auto refusal = ExpressionRefusal(expression))
                    throw EngineError(FormatMessage(EngineText("designer.variable_expression"),
                                                    {name, *refusal}));
            }
            result.Set(name, Variant::String(expression));
        }
    }
    return result;
}

}  // namespace

bool ApplyDictionaryCategories(DesignDocument& document,
                               const std::vector<DictionaryCategory>& categories) {
    return ApplyDictionaryCategories(document, categories,
                                     ReadFieldAliases(document.GetReport().dictionary));
}

bool ApplyDictionaryCategories(DesignDocument& document,
                               const std::vector<DictionaryCategory>& categories,
                               const std::vector<FieldAlias>& fieldAliases) {
    // Both lists are checked before either is written.
    const Variables variables = VariableList(categories);
    const Variables aliases = FieldAliasList(fieldAliases);
    DataDictionary& dictionary = document.GetReport().dictionary;
    dictionary.variables.CopyFrom(variables);
    dictionary.fieldAliases.CopyFrom(aliases);
    return document.Commit();
}

}  // namespace report
