#include "report/core/data/component_registry.h"

#include <algorithm>
#include <string>

#include "report/core/base/text.h"

namespace report {
namespace {

std::vector<std::string_view> SplitAtStops(std::string_view name) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (true) {
        const size_t stop = name.find('.', start);
        parts.push_back(name.substr(
            start, stop == std::string_view::npos ? std::string_view::npos : stop - start));
        if (stop == std::string_view::npos) break;
        start = stop + 1;
    }
    return parts;
}

}  // namespace

void ComponentRegistry::RegisterForm(ComponentOwner& form) {
    if (std::find(forms_.begin(), forms_.end(), &form) == forms_.end()) forms_.push_back(&form);
}

void ComponentRegistry::UnregisterForm(ComponentOwner& form) {
    std::erase(forms_, &form);
}

ComponentOwner* ComponentRegistry::FindForm(std::string_view name) const {
    for (ComponentOwner* form : forms_) {
        if (SameText(form->Name(), name)) return form;
    }
    return nullptr;
}

Component* ComponentRegistry::FindComponentByName(const ComponentOwner* owner,
                                                  std::string_view name) const {
    if (name.empty()) return nullptr;
    const std::vector<std::string_view> parts = SplitAtStops(name);
    if (parts.size() == 1) return owner != nullptr ? owner->Find(name) : nullptr;
    const ComponentOwner* container = FindForm(parts.front());
    for (size_t i = 1; container != nullptr && i + 1 < parts.size(); ++i) {
        container = dynamic_cast<const ComponentOwner*>(container->Find(parts[i]));
    }
    return container != nullptr ? container->Find(parts.back()) : nullptr;
}

}  // namespace report
