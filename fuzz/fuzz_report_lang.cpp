// Fuzz target of the report language: whatever a template's texts and scripts hold, converting,
// evaluating, expanding, compiling and running them raises engine errors at worst.
//
// The first byte chooses what the rest of the input is: an expression, a text to expand, a
// script, an edit mask with its value, or an expression to search for aggregate calls.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_engine_state.h"
#include "report/core/base/errors.h"
#include "report/core/language/aggregate_splitter.h"
#include "report/core/language/engine_core.h"
#include "report/core/value/edit_mask.h"

namespace {

// A host that knows a few names, so that evaluation goes past the first name.
class Host : public report::BuildContext {
  public:
    void OnGetValue(const std::string& name, report::Variant& value) override {
        if (name == "A" || name == "a") value = report::Variant::Int32(3);
        if (name == "S" || name == "s") value = report::Variant::String("texte");
        if (name == "N" || name == "n") value = report::Variant::Null();
    }
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find('\n', start);
        lines.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    fuzzing::InstallSilentDialogs();
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    report::EngineCore engine;
    Host host;
    engine.Resolver().Attach(&host);
    engine.Interpreter().SetExecutionLimit(20000);
    try {
        switch (data[0] % 5) {
            case 0:
                engine.SharedParser().Evaluate(text);
                break;
            case 1: {
                std::string expanded = text;
                engine.Resolver().ExpandText(expanded);
                break;
            }
            case 2: {
                std::vector<std::string> compiled;
                std::vector<std::string> errors;
                engine.Interpreter().CompileScript(Lines(text), compiled, errors);
                engine.Interpreter().RunScript(compiled);
                break;
            }
            case 3: {
                const size_t split = text.find('\n');
                report::FormatMaskText(text.substr(0, split),
                                       split == std::string::npos ? "" : text.substr(split + 1));
                break;
            }
            default: {
                report::AggregateSplitter splitter(&engine.GlobalVariables());
                splitter.CollectCalls(text);
                break;
            }
        }
    } catch (const report::EngineError&) {
        // The language's errors are the expected way out.
    }
    return 0;
}
