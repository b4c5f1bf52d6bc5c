#include "report/core/prepared/prepared_file.h"

#include "report/core/base/engine_stream.h"
#include "report/core/prepared/prepared_pages.h"

namespace report {

void OpenPreparedFile(PreparedPages& store, const std::string& path) {
    EngineStream stream = EngineStream::FromFile(path);
    store.ReadFromStream(stream);
}

void SavePreparedFile(const PreparedPages& store, const std::string& path) {
    EngineStream stream;
    store.WriteToStream(stream);
    stream.SaveToFile(path);
}

}  // namespace report
