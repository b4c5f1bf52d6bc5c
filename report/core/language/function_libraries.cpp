#include "report/core/language/function_libraries.h"

#include <string>

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"

namespace report {

bool FunctionLibraries::Dispatch(std::string_view name, const Variant& p1, const Variant& p2,
                                 const Variant& p3, Variant& val) {
    for (auto& [type, library] : libraries_) {
        if (library->Handles(name, p1, p2, p3, val)) return true;
    }
    return false;
}

FunctionLibrary* FunctionLibraries::Find(std::type_index type) const {
    for (const auto& [registered, library] : libraries_) {
        if (registered == type) return library.get();
    }
    return nullptr;
}

void FunctionLibraries::CheckRoom() const {
    if (Count() >= kMaxLibraries) {
        throw EngineError(
            FormatMessage(EngineText("func.too_many_libraries"), {std::to_string(kMaxLibraries)}));
    }
}

void FunctionLibraries::Add(std::type_index type, std::unique_ptr<FunctionLibrary> library) {
    library->AddDescriptions(descriptions_);
    libraries_.emplace_back(type, std::move(library));
}

void FunctionLibraries::Remove(std::type_index type) {
    for (auto it = libraries_.begin(); it != libraries_.end(); ++it) {
        if (it->first == type) {
            descriptions_.RemoveLibrary(it->second.get());
            libraries_.erase(it);
            return;
        }
    }
}

}  // namespace report
