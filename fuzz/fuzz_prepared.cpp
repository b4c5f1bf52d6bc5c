// Feeds arbitrary bytes to the prepared-report reader. Whatever reads must expand and hit-test
// without fault, and what it writes must read back into the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_engine_state.h"
#include "report/core/base/engine_stream.h"
#include "report/core/model/report.h"
#include "report/core/prepared/prepared_file_error.h"
#include "report/core/prepared/prepared_pages.h"

namespace {

std::string Save(const report::PreparedPages& store) {
    report::EngineStream out;
    store.WriteToStream(out);
    return out.TakeBytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    report::ModelState& state = fuzzing::SharedModelState();
    report::Report report(state);
    report::PreparedPages store(report);
    report::EngineStream in(std::string(reinterpret_cast<const char*>(data), size));
    try {
        store.ReadFromStream(in);
    } catch (const report::PreparedFileError&) {
        if (store.PageCount() != 0) std::abort();  // a refused file leaves the store alone
        return 0;
    }
    for (int i = 0; i < store.PageCount(); ++i) {
        int cursor = 0;
        store.HitTest(i, 10, 10, true, cursor);  // expands the page
        store.StorePage(i);
        store.ReleasePage(i);
    }
    const std::string saved = Save(store);
    report::PreparedPages again(report);
    report::EngineStream back(saved);
    again.ReadFromStream(back);
    if (Save(again) != saved) std::abort();
    return 0;
}
