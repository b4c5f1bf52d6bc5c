#include "report/core/language/engine_core.h"

#include "report/core/language/constants.h"
#include "report/core/language/std_function_library.h"

namespace report {

EngineCore::EngineCore()
    : libraries_(functions_),
      resolver_(parser_, globalVariables_, constants_, libraries_),
      interpreter_(parser_, resolver_, globalVariables_),
      reportFunctions_(resolver_, parser_, globalVariables_, interpreter_) {
    globalVariables_.SetSorted(true);
    AddStandardConstants(constants_);
    resolver_.SetReportFunctions(&reportFunctions_);
    libraries_.Register<StdFunctionLibrary>(resolver_);
}

}  // namespace report
