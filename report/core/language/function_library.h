// FunctionLibrary: a set of functions that report expressions may call.
//
// A library lists the upper-case names it implements in alphabetical order; the engine's
// function dispatch asks every registered library in turn (see FunctionLibraries). Arguments
// arrive as the unevaluated argument texts (string values); a function evaluates the ones it
// needs through its host.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/core/value/variant.h"

namespace report {

class BuildContext;
class InstalledFunctions;

// What the functions of a library may use: the engine's shared parser, the linking flag and the
// report being built.
class FunctionLibraryHost {
  public:
    virtual ~FunctionLibraryHost() = default;
    // Evaluates an infix text with the shared parser and the engine's hooks.
    virtual Variant Evaluate(std::string_view text) = 0;
    // True while the building engine links objects to data fields before a build.
    virtual bool LinkingMode() const = 0;
    // The report being built, or null outside a build.
    virtual BuildContext* Build() const = 0;
};

class FunctionLibrary {
  public:
    // `names`: upper-case, in alphabetical order.
    explicit FunctionLibrary(std::vector<std::string> names);
    virtual ~FunctionLibrary() = default;
    FunctionLibrary(const FunctionLibrary&) = delete;
    FunctionLibrary& operator=(const FunctionLibrary&) = delete;

    const std::vector<std::string>& Names() const { return names_; }
    // Index of the name found by binary search without regard to case, or -1.
    int IndexOf(std::string_view name) const;

    // When the library implements the name, computes it into `val` and returns true.
    bool Handles(std::string_view name, const Variant& p1, const Variant& p2, const Variant& p3,
                 Variant& val);

    // Enters the library's function descriptions; called once when the library is registered.
    virtual void AddDescriptions(InstalledFunctions& functions) { (void)functions; }

  protected:
    // The function at `index` of Names().
    virtual void Compute(int index, const Variant& p1, const Variant& p2, const Variant& p3,
                         Variant& val) = 0;

  private:
    std::vector<std::string> names_;
};

}  // namespace report
