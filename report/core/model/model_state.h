// The object model's share of the engine's process-wide state: the printer layer, the object
// factory with its ObjectId counter and add-in registry, the application's named forms, and the
// document mode. The engine owns one; tests make their own.
#pragma once

#include <functional>
#include <string>

#include "report/core/data/component_registry.h"
#include "report/core/model/view_factory.h"
#include "report/core/printer/printer_layer.h"
#include "report/core/value/variant.h"

namespace report {

class BuildContext;

// Designing, or printing (while a report is built and while prepared pages are drawn).
enum class DocumentMode { Designing, Printing };

class ModelState {
  public:
    Printer printer;
    ViewFactory factory;
    ComponentRegistry components;
    DocumentMode documentMode = DocumentMode::Designing;
    // While a report is built: the builder, which knows the run-time bands. Not owned.
    const BuildContext* buildContext = nullptr;
    // Evaluates an expression text (the engine's shared parser). Script methods such as
    // Memo.Add receive their arguments as texts and evaluate them here, and so do reports'
    // dictionary variables; without an evaluator a text is taken as it is.
    std::function<Variant(const std::string& expression)> evaluate;
    // The script variables (the engine's), which win over dictionary variables of the same
    // name in the reports created afterwards. Not owned; may be null.
    const Variables* globalVariables = nullptr;
    // Lets pending window messages through while template loading waits for the printer
    // layer; a no-op unless the program installs one.
    std::function<void()> processEvents;

    // Waits until the printer layer is ready (it always is once Start has run).
    void WaitForPrinter();
};

}  // namespace report
