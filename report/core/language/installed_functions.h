// InstalledFunctions: the descriptions of the functions that report expressions may use, by
// category, as the function editor lists them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace report {

class FunctionLibrary;

struct FunctionDescription {
    const FunctionLibrary* library = nullptr;  // the library that entered it
    std::string name;
    std::string category;
    std::string description;  // a signature, a slash and an explanation
};

class InstalledFunctions {
  public:
    // Adds a description unless its category is empty or a description with exactly the same
    // name (case included) exists.
    void Add(const FunctionLibrary* library, std::string name, std::string category,
             std::string description);
    // Removes the descriptions a library entered.
    void RemoveLibrary(const FunctionLibrary* library);

    // The description of a name (without regard to case), or null.
    const FunctionDescription* Find(std::string_view name) const;
    // The distinct categories, sorted.
    std::vector<std::string> Categories() const;
    // The names of a category, sorted; the category "Toutes les fonctions" means all.
    std::vector<std::string> NamesOf(std::string_view category) const;

    const std::vector<FunctionDescription>& All() const { return descriptions_; }

  private:
    std::vector<FunctionDescription> descriptions_;
};

}  // namespace report
