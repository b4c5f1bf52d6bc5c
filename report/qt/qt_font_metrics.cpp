#include "report/qt/qt_font_metrics.h"

#include <QRawFont>
#include <QString>
#include <algorithm>
#include <cmath>

#include "report/qt/font_mapping.h"
#include "report/qt/qt_text.h"

namespace report {

const QtFontMetrics::Reference& QtFontMetrics::ReferenceOf(const CanvasFont& font) const {
    auto key = std::make_pair(font.name, font.style);
    auto found = references_.find(key);
    if (found != references_.end()) return found->second;
    Reference reference;
    CanvasFont large = font;
    large.pixelHeight = kReferencePixels;
    const QRawFont raw = QRawFont::fromFont(QtFontOf(large));
    if (raw.isValid()) {
        QString characters;
        for (int c = 0; c < 256; ++c)
            characters += ToQString(std::string(1, static_cast<char>(c)));
        const QList<quint32> glyphs = raw.glyphIndexesForString(characters);
        const QList<QPointF> advances =
            raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
        for (int c = 0; c < 256 && c < advances.size(); ++c) {
            const auto byte = static_cast<unsigned char>(c);
            // control and undefined bytes are not drawn: no room, but a tab's blank
            if (!ShowsNoGlyph(byte)) reference.advances.advance[c] = advances[c].x();
        }
        reference.advances.advance[kTab] = reference.advances.advance[' '];
        reference.ascentPlusDescent = raw.ascent() + raw.descent();
    }
    return references_.emplace(std::move(key), reference).first->second;
}

CharAdvances QtFontMetrics::Measure(const CanvasFont& font) const {
    const Reference& reference = ReferenceOf(font);
    // a font without height (a zero or negative size in a template) takes no room
    const double factor = std::max(0.0, font.pixelHeight) / static_cast<double>(kReferencePixels);
    CharAdvances result;
    for (size_t c = 0; c < result.advance.size(); ++c)
        result.advance[c] = reference.advances.advance[c] * factor;
    result.lineHeight = static_cast<int32_t>(std::ceil(reference.ascentPlusDescent * factor));
    return result;
}

}  // namespace report
