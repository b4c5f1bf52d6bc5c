// Feeds arbitrary bytes as a dictionary file (.etd) to its reader: a read error at worst, and
// whatever loads saves, loads back and saves into the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/scratch_folder.h"
#include "report/core/base/engine_stream.h"
#include "report/core/base/errors.h"
#include "report/core/data/data_dictionary.h"

namespace {

std::string Saved(const report::DataDictionary& dictionary) {
    report::EngineStream out;
    dictionary.SaveDictionary(out);
    return out.TakeBytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzzing::ScratchFolder::Instance().Write(
        "dictionnaire.etd", std::string_view(reinterpret_cast<const char*>(data), size));
    report::DataDictionary dictionary;
    try {
        dictionary.LoadDictionaryFile(path);
    } catch (const report::StreamReadError&) {
        return 0;
    }
    dictionary.Categories();
    const std::string saved = Saved(dictionary);
    report::DataDictionary again;
    report::EngineStream back(saved);
    again.LoadDictionary(back, report::kCurrentStreamVersion);
    if (Saved(again) != saved) std::abort();
    return 0;
}
