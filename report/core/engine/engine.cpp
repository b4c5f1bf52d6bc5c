#include "report/core/engine/engine.h"

namespace report {

Engine::Engine(PrintService* printService) {
    model_.printer.Start(printService);
    core_ = std::make_unique<EngineCore>();
    model_.factory.SetConstants(&core_->Constants());
    model_.globalVariables = &core_->GlobalVariables();
    model_.evaluate = [this](const std::string& expression) {
        return core_->SharedParser().Evaluate(expression);
    };
}

}  // namespace report
