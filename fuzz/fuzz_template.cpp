// Feeds arbitrary bytes to the template reader. Whatever loads must save, and what was saved
// must load back into the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_engine_state.h"
#include "report/core/base/engine_stream.h"
#include "report/core/file/template_reader.h"
#include "report/core/file/template_writer.h"
#include "report/core/model/report.h"

namespace {

std::string Save(report::Report& report) {
    report::EngineStream out;
    report::WriteTemplate(report, out, report::TemplateWriteOptions{true});
    return out.TakeBytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    report::ModelState& state = fuzzing::SharedModelState();
    report::Report report(state);
    report::EngineStream in(std::string(reinterpret_cast<const char*>(data), size));
    if (report::ReadTemplate(report, in) != report::TemplateLoadOutcome::Loaded) return 0;
    const std::string saved = Save(report);
    report::Report again(state);
    report::EngineStream back(saved);
    if (report::ReadTemplate(again, back) != report::TemplateLoadOutcome::Loaded) std::abort();
    if (Save(again) != saved) std::abort();
    return 0;
}
