// Feeds arbitrary text to the JSON reader and the JSON form of templates (`etat compile`):
// errors are fine, crashes and hangs are not; whatever compiles must save.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_engine_state.h"
#include "report/core/base/engine_stream.h"
#include "report/core/base/errors.h"
#include "report/core/base/json.h"
#include "report/core/file/template_json.h"
#include "report/core/file/template_writer.h"
#include "report/core/model/report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    report::Report report(fuzzing::SharedModelState());
    try {
        const report::JsonValue json =
            report::ParseJson(std::string_view(reinterpret_cast<const char*>(data), size));
        report::WriteJson(json);
        report::JsonToTemplate(json, report);
    } catch (const report::EngineError&) {
        return 0;
    }
    report::EngineStream out;
    report::WriteTemplate(report, out, report::TemplateWriteOptions{true});
    return 0;
}
