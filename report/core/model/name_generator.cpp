#include "report/core/model/name_generator.h"

#include "report/core/base/text.h"

namespace report {

void NameGenerator::Add(std::string_view name) {
    if (!name.empty()) used_.insert(UpperCase(name));
}

std::string NameGenerator::Next(const std::string& prefix) {
    const std::string upperPrefix = UpperCase(prefix);
    int& number = next_.try_emplace(upperPrefix, 1).first->second;
    for (; number <= kLimit; ++number) {
        std::string candidate = upperPrefix + std::to_string(number);
        if (used_.insert(std::move(candidate)).second) return prefix + std::to_string(number++);
    }
    return std::string();
}

}  // namespace report
