// EngineCore: the report engine's process-wide language state, created once at start-up (tests
// create their own): the function descriptions and libraries with the standard library, the
// global variables, the constants, the shared expression parser wired to the value resolver,
// the report statement functions and the script interpreter.
//
// The engine's other process-wide parts (printer layer, progress window, the "current"
// build state...) grow here as they come. One per process, not re-entrant.
#pragma once

#include "report/core/language/expression_parser.h"
#include "report/core/language/function_libraries.h"
#include "report/core/language/installed_functions.h"
#include "report/core/language/report_functions.h"
#include "report/core/language/report_interpreter.h"
#include "report/core/language/value_resolver.h"
#include "report/core/value/variables.h"

namespace report {

class EngineCore {
  public:
    EngineCore();
    EngineCore(const EngineCore&) = delete;
    EngineCore& operator=(const EngineCore&) = delete;

    // Script variables and array entries; sorted, never cleared by a build.
    Variables& GlobalVariables() { return globalVariables_; }
    Variables& Constants() { return constants_; }
    InstalledFunctions& Functions() { return functions_; }
    FunctionLibraries& Libraries() { return libraries_; }
    // The shared parser; its hooks are the resolver's.
    Parser& SharedParser() { return parser_; }
    ValueResolver& Resolver() { return resolver_; }
    ReportInterpreter& Interpreter() { return interpreter_; }

  private:
    Variables globalVariables_;
    Variables constants_;
    InstalledFunctions functions_;
    FunctionLibraries libraries_;
    Parser parser_;
    ValueResolver resolver_;
    ReportInterpreter interpreter_;
    ReportFunctions reportFunctions_;
};

}  // namespace report
