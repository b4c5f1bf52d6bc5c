// FunctionLibraries: the ordered registry of function libraries that the engine's function
// dispatch asks in turn.
//
// At most one library per class and at most kMaxLibraries in all. Registering a class creates
// its library and lets it enter its descriptions; unregistering frees it and removes them.
#pragma once

#include <memory>
#include <typeindex>
#include <utility>
#include <vector>

#include "report/core/language/function_library.h"
#include "report/core/language/installed_functions.h"

namespace report {

class FunctionLibraries {
  public:
    static constexpr int kMaxLibraries = 32;

    explicit FunctionLibraries(InstalledFunctions& descriptions) : descriptions_(descriptions) {}
    FunctionLibraries(const FunctionLibraries&) = delete;
    FunctionLibraries& operator=(const FunctionLibraries&) = delete;

    // Creates a library of class T unless one is registered (then returns that one). Raises
    // EngineError when kMaxLibraries are registered already.
    template <class T, class... Args>
    T& Register(Args&&... args) {
        if (FunctionLibrary* existing = Find(typeid(T))) return static_cast<T&>(*existing);
        CheckRoom();
        auto library = std::make_unique<T>(std::forward<Args>(args)...);
        T& result = *library;
        Add(typeid(T), std::move(library));
        return result;
    }

    template <class T>
    void Unregister() {
        Remove(typeid(T));
    }

    // Asks the libraries in registration order; true when one implements the name.
    bool Dispatch(std::string_view name, const Variant& p1, const Variant& p2, const Variant& p3,
                  Variant& val);

    int Count() const { return static_cast<int>(libraries_.size()); }

  private:
    FunctionLibrary* Find(std::type_index type) const;
    void CheckRoom() const;
    void Add(std::type_index type, std::unique_ptr<FunctionLibrary> library);
    void Remove(std::type_index type);

    InstalledFunctions& descriptions_;
    std::vector<std::pair<std::type_index, std::unique_ptr<FunctionLibrary>>> libraries_;
};

}  // namespace report
