// Engine: the report engine's one process-wide object. The program creates it at start-up,
// before any window, and destroys it at exit; tests create their own.
//
// Start-up order: the printer layer on the platform's print service (its printer list, the
// virtual printer and the default paper; its ready flag goes up), then the language state
// (function libraries with the standard library, the shared parser, the script interpreter,
// the global variables and the constants). The object model is then tied to the language: the
// factory enters picture constants into Constants, and expressions that objects, scripts and
// dictionaries hand over are evaluated by the shared parser. Destruction runs the other way:
// the language state goes first, the printer layer last.
//
// There is one per process and it is not re-entrant: one report is loaded, built, shown or
// printed at a time, and the parser, interpreter and "current" state are shared by all.
#pragma once

#include <memory>

#include "report/core/language/engine_core.h"
#include "report/core/model/model_state.h"

namespace report {

class PrintService;

class Engine {
  public:
    // `printService`: the platform's printing system (not owned, must outlive the engine), or
    // null for the virtual printer alone.
    explicit Engine(PrintService* printService);
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // The object model's share: printer layer, object factory, named forms, document mode.
    // Reports are created on it: Report(engine.Model()).
    ModelState& Model() { return model_; }
    // The language's share: libraries, parser, interpreter, resolver, variables, constants.
    EngineCore& Core() { return *core_; }

    Printer& PrinterLayer() { return model_.printer; }
    ViewFactory& Factory() { return model_.factory; }
    Variables& Constants() { return core_->Constants(); }
    Variables& GlobalVariables() { return core_->GlobalVariables(); }
    Parser& SharedParser() { return core_->SharedParser(); }
    ValueResolver& Resolver() { return core_->Resolver(); }
    ReportInterpreter& Interpreter() { return core_->Interpreter(); }

  private:
    // Declared in start-up order, so destroyed in the reverse one. The language state is made
    // once the printer layer has started.
    ModelState model_;
    std::unique_ptr<EngineCore> core_;
};

}  // namespace report
