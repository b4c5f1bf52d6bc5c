#include "report/core/language/installed_functions.h"

#include <algorithm>

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"

namespace report {

namespace {

void SortWithoutCase(std::vector<std::string>& names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareText(a, b) < 0;
    });
}

}  // namespace

void InstalledFunctions::Add(const FunctionLibrary* library, std::string name, std::string category,
                             std::string description) {
    if (category.empty()) return;
    for (const FunctionDescription& existing : descriptions_) {
        if (existing.name == name) return;
    }
    descriptions_.push_back(
        {library, std::move(name), std::move(category), std::move(description)});
}

void InstalledFunctions::RemoveLibrary(const FunctionLibrary* library) {
    std::erase_if(descriptions_,
                  [library](const FunctionDescription& d) { return d.library == library; });
}

const FunctionDescription* InstalledFunctions::Find(std::string_view name) const {
    for (const FunctionDescription& d : descriptions_) {
        if (SameText(d.name, name)) return &d;
    }
    return nullptr;
}

std::vector<std::string> InstalledFunctions::Categories() const {
    std::vector<std::string> categories;
    for (const FunctionDescription& d : descriptions_) {
        const bool known = std::any_of(categories.begin(), categories.end(),
                                       [&](const std::string& c) { return c == d.category; });
        if (!known) categories.push_back(d.category);
    }
    SortWithoutCase(categories);
    return categories;
}

std::vector<std::string> InstalledFunctions::NamesOf(std::string_view category) const {
    const bool all = category == EngineText("func.cat.all");
    std::vector<std::string> names;
    for (const FunctionDescription& d : descriptions_) {
        if (all || d.category == category) names.push_back(d.name);
    }
    SortWithoutCase(names);
    return names;
}

}  // namespace report
