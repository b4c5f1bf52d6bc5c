#include "report/core/language/function_library.h"

#include "report/core/base/text.h"

namespace report {

FunctionLibrary::FunctionLibrary(std::vector<std::string> names) : names_(std::move(names)) {}

int FunctionLibrary::IndexOf(std::string_view name) const {
    int low = 0;
    int high = static_cast<int>(names_.size()) - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = CompareText(names_[middle], name);
        if (order == 0) return middle;
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
        }
    }
    return -1;
}

bool FunctionLibrary::Handles(std::string_view name, const Variant& p1, const Variant& p2,
                              const Variant& p3, Variant& val) {
    const int index = IndexOf(name);
    if (index < 0) return false;
    Compute(index, p1, p2, p3, val);
    return true;
}

}  // namespace report
