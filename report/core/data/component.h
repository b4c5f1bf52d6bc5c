// Named components and their owners (forms, data modules, frames): how a band's data source
// name or a field reference finds the component it names. The host program registers its
// forms with the engine's ComponentRegistry; a report knows the form that holds it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace report {

class ComponentOwner;

class Component {
  public:
    explicit Component(std::string name = {}) : name_(std::move(name)) {}
    virtual ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    ComponentOwner* Owner() const { return owner_; }

  private:
    friend class ComponentOwner;
    std::string name_;
    ComponentOwner* owner_ = nullptr;
};

// A form, data module or frame: holds (without owning) the components placed on it. A
// component removes itself from its owner when destroyed.
class ComponentOwner : public Component {
  public:
    explicit ComponentOwner(std::string name = {}) : Component(std::move(name)) {}
    ~ComponentOwner() override;

    void Add(Component& component);
    void Remove(Component& component);
    // The component of that name (compared without case), or nullptr.
    Component* Find(std::string_view name) const;
    const std::vector<Component*>& Components() const { return components_; }

  private:
    std::vector<Component*> components_;
};

}  // namespace report
