#include "report/core/data/component.h"

#include <algorithm>

#include "report/core/base/text.h"

namespace report {

Component::~Component() {
    if (owner_ != nullptr) owner_->Remove(*this);
}

ComponentOwner::~ComponentOwner() {
    for (Component* component : components_)
        component->owner_ = nullptr;
}

void ComponentOwner::Add(Component& component) {
    if (component.owner_ == this) return;
    if (component.owner_ != nullptr) component.owner_->Remove(component);
    components_.push_back(&component);
    component.owner_ = this;
}

void ComponentOwner::Remove(Component& component) {
    std::erase(components_, &component);
    if (component.owner_ == this) component.owner_ = nullptr;
}

Component* ComponentOwner::Find(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (Component* component : components_) {
        if (SameText(component->Name(), name)) return component;
    }
    return nullptr;
}

}  // namespace report
