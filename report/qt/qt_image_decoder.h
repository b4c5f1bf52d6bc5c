// Bitmaps, icons and JPEG pictures decoded through QImage.
#pragma once

#include "report/core/render/image_decoder.h"

namespace report {

class QtImageDecoder : public ImageDecoder {
  public:
    // Empty for bytes QImage cannot read and for pictures over 16384 pixels a side.
    DecodedImage Decode(const Picture& picture) const override;
};

}  // namespace report
