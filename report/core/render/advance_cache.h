// Character advances kept per font, so that repeated layout in the same fonts measures nothing
// twice. Not thread-safe, like the canvases that own one.
#pragma once

#include <map>
#include <memory>
#include <tuple>

#include "report/core/render/font_metrics.h"

namespace report {

class AdvanceCache {
  public:
    // `source` must outlive the cache.
    explicit AdvanceCache(const FontMetricsSource& source) : source_(&source) {}
    // The advances of `font`; the reference stays valid as long as the cache.
    const CharAdvances& For(const CanvasFont& font);

  private:
    // Rotation and colour do not change advances.
    using Key = std::tuple<std::string, double, uint16_t>;
    const FontMetricsSource* source_;
    std::map<Key, std::unique_ptr<CharAdvances>> cache_;
    const CharAdvances* last_ = nullptr;
    Key lastKey_;
};

}  // namespace report
