// The page-data compressor hook: a replaceable component with an enabled flag. The one installed
// by default is disabled and leaves its output empty, so page data is written uncompressed.
#pragma once

#include "report/core/base/engine_stream.h"

namespace report {

class Compressor {
  public:
    virtual ~Compressor() = default;

    virtual bool Enabled() const { return false; }
    // Both append the result to `output`, read from the start of `input`. The default
    // component writes nothing.
    virtual void Compress(EngineStream& input, EngineStream& output);
    virtual void Decompress(EngineStream& input, EngineStream& output);

    // The disabled component that stores use until another one is installed.
    static Compressor& Disabled();
};

}  // namespace report
