#include "report/qt/qt_image_decoder.h"

#include <QImage>
#include <cstring>

namespace report {

namespace {
constexpr int kLargestSide = 16384;  // a bigger picture is a damaged or hostile file
}

DecodedImage QtImageDecoder::Decode(const Picture& picture) const {
    DecodedImage result;
    if (picture.IsEmpty() || picture.kind == GraphicKind::Metafile) return result;
    QImage image;
    if (!image.loadFromData(reinterpret_cast<const uchar*>(picture.data.data()),
                            static_cast<int>(picture.data.size())))
        return result;
    if (image.width() > kLargestSide || image.height() > kLargestSide) return result;
    image = image.convertToFormat(QImage::Format_ARGB32);
    result.width = image.width();
    result.height = image.height();
    result.pixels.resize(static_cast<size_t>(result.width) * static_cast<size_t>(result.height));
    for (int y = 0; y < result.height; ++y)
        std::memcpy(result.pixels.data() + static_cast<size_t>(y) * result.width,
                    image.constScanLine(y), static_cast<size_t>(result.width) * 4);
    return result;
}

}  // namespace report
