// The object factory: creates report objects by type code, numbering each with the engine-wide
// ObjectId counter, and holds the add-in class registry (empty in this program).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "report/core/model/view.h"

namespace report {

class Variables;

struct AddInClass {
    std::string className;  // compared exactly
    std::function<std::unique_ptr<View>()> create;
    std::string designerInfo;  // what the designer shows for the class
};

class ViewFactory {
  public:
    static constexpr size_t kMaxAddIns = 32;

    // 0 text, 1 picture, 2 band, 3 sub-report, 4 line; 10 the registered add-in class named
    // `className`. Any other code, or an unknown class, gives nullptr.
    std::unique_ptr<View> CreateViewByType(int type, std::string_view className = {});

    // Registers an add-in class; false when the registry is full or the name is taken.
    bool RegisterAddIn(AddInClass addIn);
    const std::vector<AddInClass>& AddIns() const { return addIns_; }

    // The number the next object will get; the counter only grows.
    uint32_t NextObjectId() const { return nextObjectId_; }

    // Where picture objects enter their constants (btBMP ...); not owned, may be null.
    void SetConstants(Variables* constants) { constants_ = constants; }

  private:
    uint32_t nextObjectId_ = 0;
    std::vector<AddInClass> addIns_;
    Variables* constants_ = nullptr;
};

}  // namespace report
