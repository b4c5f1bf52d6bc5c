#include "report/core/prepared/compressor.h"

namespace report {

void Compressor::Compress(EngineStream&, EngineStream&) {}

void Compressor::Decompress(EngineStream&, EngineStream&) {}

Compressor& Compressor::Disabled() {
    static Compressor disabled;  // stateless
    return disabled;
}

}  // namespace report
