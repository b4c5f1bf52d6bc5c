#include "report/core/render/metafile_player.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <variant>
#include <vector>

#include "report/core/base/rounding.h"
#include "report/core/base/text.h"

namespace report {

namespace {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr size_t kPlaceableHeader = 22;
constexpr size_t kStandardHeader = 18;
constexpr uint32_t kEmfHeader = 1;
constexpr uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr int32_t kPixelsPerInch = 96;

uint32_t U32(std::string_view d, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(d[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(d[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(d[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(d[at + 3])) << 24;
}
uint16_t U16(std::string_view d, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(d[at]) |
                                 static_cast<unsigned char>(d[at + 1]) << 8);
}
int32_t S16(std::string_view d, size_t at) {
    return static_cast<int16_t>(U16(d, at));
}
int32_t S32(std::string_view d, size_t at) {
    return static_cast<int32_t>(U32(d, at));
}

bool IsEnhanced(std::string_view d) {
    return d.size() >= 88 && U32(d, 0) == kEmfHeader && U32(d, 40) == kEmfSignature;
}

bool IsPlaceable(std::string_view d) {
    return d.size() >= kPlaceableHeader + kStandardHeader && U32(d, 0) == kPlaceableKey;
}

// One WMF record: function and parameter words.
struct Record {
    uint16_t function;
    std::string_view params;
    int32_t Param(size_t index) const {
        return index * 2 + 2 <= params.size() ? S16(params, index * 2) : 0;
    }
    size_t ParamCount() const { return params.size() / 2; }
};

std::optional<std::vector<Record>> ReadRecords(std::string_view d) {
    std::vector<Record> records;
    const size_t headerWords = U16(d, kPlaceableHeader + 2);
    size_t at = kPlaceableHeader + headerWords * 2;
    while (at + 6 <= d.size()) {
        const uint64_t words = U32(d, at);
        const uint16_t function = U16(d, at + 4);
        if (function == 0) return records;  // end of file
        if (words < 3 || words * 2 > d.size() - at) return std::nullopt;
        records.push_back(Record{function, d.substr(at + 6, words * 2 - 6)});
        at += words * 2;
    }
    return std::nullopt;
}

// Drawing inside a clip rectangle: a picture that is not stretched may be larger than its
// object, and nothing of it may show outside the object.
class ClippedOutput {
  public:
    ClippedOutput(Canvas& canvas, const IntRect& clip) : canvas_(canvas), clip_(clip) {}

    Canvas& canvas() { return canvas_; }

    void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        // Liang-Barsky against the clip's edges
        double t0 = 0, t1 = 1;
        const double dx = x2 - x1, dy = y2 - y1;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {
            static_cast<double>(x1 - clip_.left), static_cast<double>(clip_.right - x1),
            static_cast<double>(y1 - clip_.top), static_cast<double>(clip_.bottom - y1)};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0) return;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0) {
                if (t > t1) return;
                t0 = std::max(t0, t);
            } else {
                if (t < t0) return;
                t1 = std::min(t1, t);
            }
        }
        canvas_.DrawLine(RoundToInt(x1 + t0 * dx), RoundToInt(y1 + t0 * dy),
                         RoundToInt(x1 + t1 * dx), RoundToInt(y1 + t1 * dy));
    }

    void Rectangle(const IntRect& r) {
        if (r.left >= clip_.left && r.top >= clip_.top && r.right <= clip_.right &&
            r.bottom <= clip_.bottom) {
            canvas_.DrawRectangle(r);
            return;
        }
        const IntRect inside{std::max(r.left, clip_.left), std::max(r.top, clip_.top),
                             std::min(r.right, clip_.right), std::min(r.bottom, clip_.bottom)};
        if (inside.left >= inside.right || inside.top >= inside.bottom) return;
        // the visible part of the fill, then of each side of the frame
        canvas_.FillRect(inside);
        Line(r.left, r.top, r.right - 1, r.top);
        Line(r.right - 1, r.top, r.right - 1, r.bottom - 1);
        Line(r.right - 1, r.bottom - 1, r.left, r.bottom - 1);
        Line(r.left, r.bottom - 1, r.left, r.top);
    }

    void Text(TextOutput output) {
        IntRect& c = output.clip;
        c = IntRect{std::max(c.left, clip_.left), std::max(c.top, clip_.top),
                    std::min(c.right, clip_.right), std::min(c.bottom, clip_.bottom)};
        if (c.left >= c.right || c.top >= c.bottom) return;
        canvas_.DrawText(output);
    }

  private:
    Canvas& canvas_;
    IntRect clip_;
};

// A logical font of an enhanced metafile: its height in logical units (negative: the character
// height; positive: the cell height, leading included) and the canvas font's other fields.
struct LogicalFont {
    int32_t height = 0;
    CanvasFont font;
};

using GdiObject = std::variant<Pen, Brush, LogicalFont>;

PenStyle PenStyleFrom(int32_t code) {
    switch (code & 0x0F) {
        case 1:
            return PenStyle::Dash;
        case 2:
            return PenStyle::Dot;
        case 3:
            return PenStyle::DashDot;
        case 4:
            return PenStyle::DashDotDot;
        case 5:
            return PenStyle::Clear;
        default:
            return PenStyle::Solid;
    }
}

int32_t ColorAt(const Record& r, size_t word) {
    return static_cast<int32_t>(
        (static_cast<uint32_t>(static_cast<uint16_t>(r.Param(word))) |
         static_cast<uint32_t>(static_cast<uint16_t>(r.Param(word + 1))) << 16) &
        0xFFFFFF);
}

}  // namespace

MetafileSize MeasureMetafile(std::string_view d) {
    MetafileSize size;
    if (IsPlaceable(d)) {
        // the header's units per inch, to screen pixels (96 per inch)
        const int32_t unitsPerInch = U16(d, 14) != 0 ? U16(d, 14) : kPixelsPerInch;
        size.width = RoundToInt((S16(d, 10) - S16(d, 6)) * double{kPixelsPerInch} / unitsPerInch);
        size.height = RoundToInt((S16(d, 12) - S16(d, 8)) * double{kPixelsPerInch} / unitsPerInch);
    } else if (IsEnhanced(d)) {
        // the bounds rectangle, inclusive, in device pixels
        size.width = S32(d, 16) - S32(d, 8) + 1;
        size.height = S32(d, 20) - S32(d, 12) + 1;
    }
    size.valid = size.width > 0 && size.height > 0;
    return size;
}

namespace {

struct EmfRecord {
    uint32_t type;
    std::string_view data;  // after type and size
    int32_t I32(size_t at) const { return at + 4 <= data.size() ? S32(data, at) : 0; }
    uint32_t U(size_t at) const { return at + 4 <= data.size() ? U32(data, at) : 0; }
    int32_t I16(size_t at) const { return at + 2 <= data.size() ? S16(data, at) : 0; }
};

std::optional<std::vector<EmfRecord>> ReadEmfRecords(std::string_view d) {
    std::vector<EmfRecord> records;
    size_t at = 0;
    while (at + 8 <= d.size()) {
        const uint32_t type = U32(d, at);
        const uint32_t size = U32(d, at + 4);
        if (size < 8 || size % 4 != 0 || size > d.size() - at) return std::nullopt;
        if (type == 14) return records;  // end of file
        records.push_back(EmfRecord{type, d.substr(at + 8, size - 8)});
        at += size;
    }
    return std::nullopt;
}

// Stock objects an enhanced metafile may select by number.
std::optional<GdiObject> StockObject(uint32_t index) {
    switch (index) {
        case 0x80000000:
            return Brush{0xFFFFFF, BrushStyle::Solid};
        case 0x80000004:
            return Brush{0, BrushStyle::Solid};
        case 0x80000005:
            return Brush{0, BrushStyle::Clear};
        case 0x80000006:
            return Pen{0xFFFFFF, 1, PenStyle::Solid};
        case 0x80000007:
            return Pen{0, 1, PenStyle::Solid};
        case 0x80000008:
            return Pen{0, 1, PenStyle::Clear};
        default:
            return std::nullopt;
    }
}

// The records played, and those that change nothing a page picture shows (state, clipping
// regions, colour management, comments).
bool IsPlayableEmfRecord(uint32_t type) {
    switch (type) {
        case 1:    // HEADER
        case 3:    // POLYGON
        case 4:    // POLYLINE
        case 6:    // POLYLINETO
        case 9:    // SETWINDOWEXTEX
        case 10:   // SETWINDOWORGEX
        case 11:   // SETVIEWPORTEXTEX
        case 12:   // SETVIEWPORTORGEX
        case 13:   // SETBRUSHORGEX
        case 16:   // SETMAPPERFLAGS
        case 17:   // SETMAPMODE
        case 18:   // SETBKMODE
        case 19:   // SETPOLYFILLMODE
        case 20:   // SETROP2
        case 21:   // SETSTRETCHBLTMODE
        case 22:   // SETTEXTALIGN
        case 24:   // SETTEXTCOLOR
        case 25:   // SETBKCOLOR
        case 27:   // MOVETOEX
        case 28:   // SETMETARGN
        case 29:   // EXCLUDECLIPRECT
        case 30:   // INTERSECTCLIPRECT
        case 33:   // SAVEDC
        case 34:   // RESTOREDC
        case 37:   // SELECTOBJECT
        case 38:   // CREATEPEN
        case 39:   // CREATEBRUSHINDIRECT
        case 40:   // DELETEOBJECT
        case 42:   // ELLIPSE
        case 43:   // RECTANGLE
        case 44:   // ROUNDRECT
        case 54:   // LINETO
        case 58:   // SETMITERLIMIT
        case 70:   // GDICOMMENT
        case 75:   // EXTSELECTCLIPRGN
        case 82:   // EXTCREATEFONTINDIRECTW
        case 83:   // EXTTEXTOUTA
        case 84:   // EXTTEXTOUTW
        case 86:   // POLYGON16
        case 87:   // POLYLINE16
        case 89:   // POLYLINETO16
        case 95:   // EXTCREATEPEN
        case 98:   // SETICMMODE
        case 115:  // SETLAYOUT
            return true;
        default:
            return false;
    }
}

// EXTCREATEFONTINDIRECTW: index, then LOGFONTW (height, width, escapement, orientation,
// weight, italic, underline, strike-out, charset, 4 bytes of precision and pitch, face name in
// 32 UTF-16 units).
LogicalFont FontFrom(const EmfRecord& r) {
    LogicalFont logical;
    logical.height = r.I32(4);
    CanvasFont& font = logical.font;
    font.rotated = r.I32(12) == 900;
    auto byteAt = [&r](size_t at) {
        return at < r.data.size() ? static_cast<unsigned char>(r.data[at]) : 0;
    };
    uint16_t style = 0;
    if (r.I32(20) >= 600) style |= 2;
    if (byteAt(24) != 0) style |= 1;
    if (byteAt(25) != 0) style |= 4;
    if (byteAt(26) != 0) style |= 8;
    font.style = style;
    std::string name;
    for (size_t at = 32; at + 2 <= r.data.size() && at < 32 + 64; at += 2) {
        const auto unit = static_cast<char32_t>(U16(r.data, at));
        if (unit == 0) break;
        AppendUtf8(name, unit >= 0xD800 && unit < 0xE000 ? U'?' : unit);
    }
    if (!name.empty()) font.name = Utf8ToCp1252(name);
    return logical;
}

// The text of EXTTEXTOUTA or EXTTEXTOUTW, in Windows-1252: `count` characters at `offset`
// from the record's start.
std::string TextOf(const EmfRecord& r, bool wide, uint32_t offset, uint32_t count) {
    if (offset < 8) return {};
    const size_t at = offset - 8;
    const size_t unit = wide ? 2 : 1;
    if (at > r.data.size() || count > (r.data.size() - at) / unit) return {};
    if (!wide) return std::string(r.data.substr(at, count));
    std::string utf8;
    for (size_t k = 0; k < count; ++k) {
        const auto c = static_cast<char32_t>(U16(r.data, at + 2 * k));
        AppendUtf8(utf8, c >= 0xD800 && c < 0xE000 ? U'?' : c);
    }
    return Utf8ToCp1252(utf8);
}

bool PlayEnhanced(std::string_view d, const IntRect& target, ClippedOutput& out) {
    Canvas& canvas = out.canvas();
    const std::optional<std::vector<EmfRecord>> records = ReadEmfRecords(d);
    if (!records) return false;
    for (const EmfRecord& r : *records) {
        if (!IsPlayableEmfRecord(r.type)) return false;
    }
    const MetafileSize size = MeasureMetafile(d);
    if (!size.valid) return false;
    const double boundsLeft = S32(d, 8), boundsTop = S32(d, 12);
    double winOrgX = 0, winOrgY = 0, winExtX = 1, winExtY = 1;
    double vpOrgX = 0, vpOrgY = 0, vpExtX = 1, vpExtY = 1;
    // logical -> recorded device pixels -> target
    auto mapX = [&](int32_t x) {
        const double device = (x - winOrgX) * vpExtX / winExtX + vpOrgX;
        return target.left +
               RoundToInt((device - boundsLeft) * (target.right - target.left) / size.width);
    };
    auto mapY = [&](int32_t y) {
        const double device = (y - winOrgY) * vpExtY / winExtY + vpOrgY;
        return target.top +
               RoundToInt((device - boundsTop) * (target.bottom - target.top) / size.height);
    };
    std::map<uint32_t, GdiObject> objects;
    canvas.SetPen(Pen{0, 1, PenStyle::Solid});
    canvas.SetBrush(Brush{0xFFFFFF, BrushStyle::Solid});
    int32_t penX = 0, penY = 0;
    auto lineTo = [&](int32_t x, int32_t y) {
        out.Line(mapX(penX), mapY(penY), mapX(x), mapY(y));
        penX = x;
        penY = y;
    };
    // A closed outline through the points (the canvas has no polygon fill).
    auto outline = [&](const std::vector<std::pair<int32_t, int32_t>>& points) {
        for (size_t k = 0; k < points.size(); ++k) {
            const auto& [x1, y1] = points[k];
            const auto& [x2, y2] = points[(k + 1) % points.size()];
            out.Line(mapX(x1), mapY(y1), mapX(x2), mapY(y2));
        }
    };
    LogicalFont font;
    int32_t textColor = 0;
    uint32_t textAlign = 0;
    // logical units to target pixels, vertically: the height of fonts
    auto pixelsPerUnitY = [&] {
        return std::abs(vpExtY / winExtY * (target.bottom - target.top) / size.height);
    };
    auto drawText = [&](const EmfRecord& r, bool wide) {
        // bounds, graphics mode, x and y scale, then the text: reference point, count, offset
        const std::string text = TextOf(r, wide, r.U(40), r.U(36));
        if (text.empty()) return;
        // A positive height is the cell's: the character is about 87 % of it.
        const double units = font.height < 0 ? -font.height : font.height * 0.87;
        CanvasFont face = font.font;
        face.color = textColor;
        face.pixelHeight = units * pixelsPerUnitY();
        canvas.SetFont(face);
        canvas.SetBackgroundMode(BackgroundMode::Transparent);
        int32_t x = mapX(r.I32(28));
        int32_t y = mapY(r.I32(32));
        const int32_t width = canvas.TextWidth(text);
        if ((textAlign & 6) == 6) {  // TA_CENTER
            x -= width / 2;
        } else if ((textAlign & 2) != 0) {  // TA_RIGHT
            x -= width;
        }
        if ((textAlign & 24) == 24) {  // TA_BASELINE: the ascent, about 90 % of the character
            y -= RoundToInt(face.pixelHeight * 0.9);
        } else if ((textAlign & 8) != 0) {  // TA_BOTTOM
            y -= canvas.Advances().lineHeight;
        }
        out.Text(TextOutput{x, y, text, target, 0});
    };
    for (const EmfRecord& r : *records) {
        switch (r.type) {
            case 9:  // SETWINDOWEXTEX
                if (r.I32(0) != 0) winExtX = r.I32(0);
                if (r.I32(4) != 0) winExtY = r.I32(4);
                break;
            case 10:  // SETWINDOWORGEX
                winOrgX = r.I32(0);
                winOrgY = r.I32(4);
                break;
            case 11:  // SETVIEWPORTEXTEX
                if (r.I32(0) != 0) vpExtX = r.I32(0);
                if (r.I32(4) != 0) vpExtY = r.I32(4);
                break;
            case 12:  // SETVIEWPORTORGEX
                vpOrgX = r.I32(0);
                vpOrgY = r.I32(4);
                break;
            case 27:  // MOVETOEX
                penX = r.I32(0);
                penY = r.I32(4);
                break;
            case 54:  // LINETO
                lineTo(r.I32(0), r.I32(4));
                break;
            case 43:  // RECTANGLE
                out.Rectangle(
                    IntRect{mapX(r.I32(0)), mapY(r.I32(4)), mapX(r.I32(8)), mapY(r.I32(12))});
                break;
            case 4:     // POLYLINE: bounds, count, 32-bit points
            case 6:     // POLYLINETO
            case 87:    // POLYLINE16
            case 89: {  // POLYLINETO16
                const bool wide = r.type == 4 || r.type == 6;
                const bool fromPen = r.type == 6 || r.type == 89;
                const size_t step = wide ? 8 : 4;
                const size_t count = std::min<size_t>(r.U(16), (r.data.size() - 20) / step);
                for (size_t k = 0; k < count; ++k) {
                    const size_t at = 20 + k * step;
                    const int32_t x = wide ? r.I32(at) : r.I16(at);
                    const int32_t y = wide ? r.I32(at + 4) : r.I16(at + 2);
                    if (k == 0 && !fromPen) {
                        penX = x;
                        penY = y;
                    } else {
                        lineTo(x, y);
                    }
                }
                break;
            }
            case 38:  // CREATEPEN: index, style, width (x, y), colour
                objects[r.U(0)] =
                    Pen{static_cast<int32_t>(r.U(16) & 0xFFFFFF), std::max<int32_t>(1, r.I32(8)),
                        PenStyleFrom(static_cast<int32_t>(r.U(4)))};
                break;
            case 39:  // CREATEBRUSHINDIRECT: index, style, colour, hatch
                objects[r.U(0)] = Brush{static_cast<int32_t>(r.U(8) & 0xFFFFFF),
                                        r.U(4) == 1 ? BrushStyle::Clear : BrushStyle::Solid};
                break;
            case 37: {  // SELECTOBJECT
                std::optional<GdiObject> object = StockObject(r.U(0));
                if (!object) {
                    const auto found = objects.find(r.U(0));
                    if (found != objects.end()) object = found->second;
                }
                if (!object) break;
                if (const Pen* p = std::get_if<Pen>(&*object))
                    canvas.SetPen(*p);
                else if (const Brush* b = std::get_if<Brush>(&*object))
                    canvas.SetBrush(*b);
                else
                    font = std::get<LogicalFont>(*object);
                break;
            }
            case 40:  // DELETEOBJECT
                objects.erase(r.U(0));
                break;
            case 95:  // EXTCREATEPEN: index, bitmap offsets and sizes, style, width, brush, colour
                objects[r.U(0)] =
                    Pen{static_cast<int32_t>(r.U(32) & 0xFFFFFF), std::max<int32_t>(1, r.I32(24)),
                        PenStyleFrom(static_cast<int32_t>(r.U(20)))};
                break;
            case 82:  // EXTCREATEFONTINDIRECTW
                objects[r.U(0)] = FontFrom(r);
                break;
            case 24:  // SETTEXTCOLOR
                textColor = static_cast<int32_t>(r.U(0) & 0xFFFFFF);
                break;
            case 22:  // SETTEXTALIGN
                textAlign = r.U(0);
                break;
            case 83:  // EXTTEXTOUTA
            case 84:  // EXTTEXTOUTW
                drawText(r, r.type == 84);
                break;
            case 42: {  // ELLIPSE: its box, as 48 segments
                const double cx = (r.I32(0) + r.I32(8)) / 2.0, cy = (r.I32(4) + r.I32(12)) / 2.0;
                const double rx = (r.I32(8) - r.I32(0)) / 2.0, ry = (r.I32(12) - r.I32(4)) / 2.0;
                std::vector<std::pair<int32_t, int32_t>> points;
                for (int k = 0; k < 48; ++k) {
                    const double a = k * 2 * 3.14159265358979323846 / 48;
                    points.emplace_back(RoundToInt(cx + rx * std::cos(a)),
                                        RoundToInt(cy + ry * std::sin(a)));
                }
                outline(points);
                break;
            }
            case 44:  // ROUNDRECT: drawn square-cornered
                out.Rectangle(
                    IntRect{mapX(r.I32(0)), mapY(r.I32(4)), mapX(r.I32(8)), mapY(r.I32(12))});
                break;
            case 3:     // POLYGON: bounds, count, 32-bit points
            case 86: {  // POLYGON16
                const bool wide = r.type == 3;
                const size_t step = wide ? 8 : 4;
                const size_t count = std::min<size_t>(r.U(16), (r.data.size() - 20) / step);
                std::vector<std::pair<int32_t, int32_t>> points;
                for (size_t k = 0; k < count; ++k) {
                    const size_t at = 20 + k * step;
                    points.emplace_back(wide ? r.I32(at) : r.I16(at),
                                        wide ? r.I32(at + 4) : r.I16(at + 2));
                }
                if (points.size() > 1) outline(points);
                break;
            }
            default:  // header, state without effect on what is drawn, comments
                break;
        }
    }
    return true;
}

bool IsPlayableWmfRecord(uint16_t function) {
    switch (function) {
        case 0x020B:
        case 0x020C:
        case 0x0214:
        case 0x0213:
        case 0x041B:
        case 0x02FA:
        case 0x02FC:
        case 0x012D:
        case 0x01F0:
        case 0x0325:
        case 0x0201:
        case 0x0102:
        case 0x0209:
        case 0x0103:
        case 0x0104:
        case 0x0106:
        case 0x0107:
        case 0x012E:
        case 0x001E:
        case 0x0127:
            return true;
        default:
            return false;
    }
}

}  // namespace

bool CanPlayMetafile(std::string_view d) {
    if (!MeasureMetafile(d).valid) return false;
    if (IsEnhanced(d)) {
        const std::optional<std::vector<EmfRecord>> records = ReadEmfRecords(d);
        return records && std::all_of(records->begin(), records->end(), [](const EmfRecord& r) {
                   return IsPlayableEmfRecord(r.type);
               });
    }
    const std::optional<std::vector<Record>> records = ReadRecords(d);
    return records && std::all_of(records->begin(), records->end(),
                                  [](const Record& r) { return IsPlayableWmfRecord(r.function); });
}

bool PlayMetafile(std::string_view d, const IntRect& target, Canvas& canvas,
                  const std::optional<IntRect>& clip) {
    ClippedOutput out(canvas, clip.value_or(target));
    if (IsEnhanced(d)) return PlayEnhanced(d, target, out);
    if (!IsPlaceable(d)) return false;
    const std::optional<std::vector<Record>> records = ReadRecords(d);
    if (!records) return false;
    // Check every record first, so that nothing is drawn for a metafile we cannot play.
    for (const Record& r : *records)
        if (!IsPlayableWmfRecord(r.function)) return false;
    double orgX = S16(d, 6), orgY = S16(d, 8);
    double extX = S16(d, 10) - orgX, extY = S16(d, 12) - orgY;
    if (extX == 0 || extY == 0) return false;
    auto mapX = [&](int32_t x) {
        return target.left + RoundToInt((x - orgX) * (target.right - target.left) / extX);
    };
    auto mapY = [&](int32_t y) {
        return target.top + RoundToInt((y - orgY) * (target.bottom - target.top) / extY);
    };
    std::map<int32_t, GdiObject> objects;
    auto addObject = [&objects](GdiObject object) {
        int32_t index = 0;
        while (objects.count(index) != 0)
            ++index;
        objects.emplace(index, object);
    };
    Pen pen{0, 1, PenStyle::Solid};
    Brush brush{0xFFFFFF, BrushStyle::Solid};
    canvas.SetPen(pen);
    canvas.SetBrush(brush);
    int32_t penX = 0, penY = 0;
    for (const Record& r : *records) {
        switch (r.function) {
            case 0x020B:  // SetWindowOrg y, x
                orgY = r.Param(0);
                orgX = r.Param(1);
                break;
            case 0x020C:  // SetWindowExt y, x
                if (r.Param(0) != 0) extY = r.Param(0);
                if (r.Param(1) != 0) extX = r.Param(1);
                break;
            case 0x0214:  // MoveTo y, x
                penY = r.Param(0);
                penX = r.Param(1);
                break;
            case 0x0213:  // LineTo y, x
                out.Line(mapX(penX), mapY(penY), mapX(r.Param(1)), mapY(r.Param(0)));
                penY = r.Param(0);
                penX = r.Param(1);
                break;
            case 0x041B:  // Rectangle bottom, right, top, left
                out.Rectangle(IntRect{mapX(r.Param(3)), mapY(r.Param(2)), mapX(r.Param(1)),
                                      mapY(r.Param(0))});
                break;
            case 0x0325: {  // Polyline count, points
                const size_t count = static_cast<uint16_t>(r.Param(0));
                for (size_t i = 1; i < count && 2 * i + 2 < r.ParamCount(); ++i)
                    out.Line(mapX(r.Param(2 * i - 1)), mapY(r.Param(2 * i)),
                             mapX(r.Param(2 * i + 1)), mapY(r.Param(2 * i + 2)));
                break;
            }
            case 0x02FA:  // CreatePenIndirect style, width x, width y, colour
                addObject(
                    Pen{ColorAt(r, 3), std::max<int32_t>(1, r.Param(1)), PenStyleFrom(r.Param(0))});
                break;
            case 0x02FC:  // CreateBrushIndirect style, colour, hatch
                addObject(
                    Brush{ColorAt(r, 1), r.Param(0) == 1 ? BrushStyle::Clear : BrushStyle::Solid});
                break;
            case 0x012D: {  // SelectObject
                const auto found = objects.find(r.Param(0));
                if (found == objects.end()) break;
                if (const Pen* p = std::get_if<Pen>(&found->second)) {
                    pen = *p;
                    canvas.SetPen(pen);
                } else if (const Brush* b = std::get_if<Brush>(&found->second)) {
                    brush = *b;
                    canvas.SetBrush(brush);
                }
                break;
            }
            case 0x01F0:  // DeleteObject
                objects.erase(r.Param(0));
                break;
            default:  // state that does not change what lines and rectangles look like
                break;
        }
    }
    return true;
}

}  // namespace report
