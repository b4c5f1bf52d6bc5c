// Bases of the dialog controls that live on dialog pages. They are add-in objects (type 10),
// created from the add-in registry; none is registered in this program.
#pragma once

#include <string>

#include "report/core/model/view.h"

namespace report {

class DialogControl : public View {
  public:
    std::string ClassName() const override { return className_; }

  protected:
    explicit DialogControl(std::string className)
        : View(object_type::kAddIn, "View"), className_(std::move(className)) {}

  private:
    std::string className_;
};

class NonVisualControl : public DialogControl {
  public:
    std::string bitmap;  // the small picture shown on the dialog page at design time

  protected:
    using DialogControl::DialogControl;
};

}  // namespace report
