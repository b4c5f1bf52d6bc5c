// Turns the bytes of a stored picture (bitmap, icon, JPEG) into pixels. The Qt implementation
// decodes through QImage; core tests supply their own.
#pragma once

#include "report/core/model/picture_view.h"
#include "report/core/render/canvas_types.h"

namespace report {

class ImageDecoder {
  public:
    virtual ~ImageDecoder() = default;
    // The decoded picture, or an empty image when the bytes are not a picture it can read.
    virtual DecodedImage Decode(const Picture& picture) const = 0;
};

}  // namespace report
