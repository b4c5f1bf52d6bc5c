#include "report/core/render/advance_cache.h"

namespace report {

const CharAdvances& AdvanceCache::For(const CanvasFont& font) {
    Key key{font.name, font.pixelHeight, font.style};
    if (last_ != nullptr && key == lastKey_) return *last_;
    auto found = cache_.find(key);
    if (found == cache_.end()) {
        found = cache_.emplace(key, std::make_unique<CharAdvances>(source_->Measure(font))).first;
    }
    last_ = found->second.get();
    lastKey_ = std::move(key);
    return *last_;
}

}  // namespace report
