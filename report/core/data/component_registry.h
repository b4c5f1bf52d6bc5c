// The application's named forms and data modules, for data source lookup by name.
#pragma once

#include <string_view>
#include <vector>

#include "report/core/data/component.h"

namespace report {

class ComponentRegistry {
  public:
    // Forms are not owned; a form unregisters itself before it is destroyed.
    void RegisterForm(ComponentOwner& form);
    void UnregisterForm(ComponentOwner& form);
    ComponentOwner* FindForm(std::string_view name) const;
    const std::vector<ComponentOwner*>& Forms() const { return forms_; }

    // A name without a full stop: a component of `owner` (the form holding the report). With
    // full stops: form.component, form.frame.component (and deeper). Nothing when no component
    // matches.
    Component* FindComponentByName(const ComponentOwner* owner, std::string_view name) const;

  private:
    std::vector<ComponentOwner*> forms_;
};

}  // namespace report
