// A sample page for painting tests: framed and filled titles, wrapped and justified text,
// rotated text, dashed and double frames, lines and a bitmap. Design pixels, A4 at 96 dpi.
#pragma once

#include <QBuffer>
#include <QImage>
#include <memory>
#include <vector>

#include "report/core/model/line_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/picture_view.h"

namespace report::testing {

inline constexpr int32_t kSamplePageWidth = 794;
inline constexpr int32_t kSamplePageHeight = 1123;

inline MemoView& AddMemo(std::vector<std::unique_ptr<View>>& page, int32_t left, int32_t top,
                         int32_t width, int32_t height, StringList text) {
    auto memo = std::make_unique<MemoView>();
    memo->left = left;
    memo->top = top;
    memo->width = width;
    memo->height = height;
    memo->memo = std::move(text);
    MemoView& result = *memo;
    page.push_back(std::move(memo));
    return result;
}

// A 32 x 16 bitmap file of 8 x 8 squares (PDF output compresses it as JPEG, whose colour
// sampling would blend single pixels): red, green, blue, white over black, grey, yellow, cyan.
inline std::string SampleBitmap() {
    QImage image(32, 16, QImage::Format_RGB32);
    const QRgb colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF,
                            0xFF000000, 0xFF808080, 0xFFFFFF00, 0xFF00FFFF};
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, colours[y / 8 * 4 + x / 8]);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

inline std::vector<std::unique_ptr<View>> SamplePage() {
    std::vector<std::unique_ptr<View>> page;
    MemoView& title = AddMemo(page, 40, 40, 714, 40, {"Tombage : tirage au sort des rencontres"});
    title.font.size = 18;
    title.font.style = font_style::kBold;
    title.alignment = text_align::kCenter | text_align::kMiddle;
    title.frameTyp = 15;
    title.frameWidth = 2;
    title.fillColor = 0xE0F0FF;

    MemoView& body = AddMemo(
        page, 40, 100, 340, 160,
        {"Les \xE9quipes re\xE7oivent leur adversaire dans l'ordre du tirage ; chaque rencontre "
         "porte un num\xE9ro, et les rencontres de rep\xEA"
         "chage vont par paires.",
         "Derni\xE8re ligne du paragraphe."});
    body.alignment = text_align::kJustify;
    body.frameTyp = 15;
    body.frameStyle = 1;  // dashes
    body.frameWidth = 3;
    body.fillColor = 0xFFFFFF;

    MemoView& rotated = AddMemo(page, 400, 100, 40, 160, {"Vertical"});
    rotated.alignment = text_align::kRotated | text_align::kCenter;
    rotated.font.name = "Times New Roman";
    rotated.font.size = 14;
    rotated.frameTyp = 15;

    MemoView& grid = AddMemo(page, 460, 100, 294, 60, {"Equipe A", "Equipe B", "001"});
    grid.frameTyp = 15;
    grid.frameStyle = 5;  // double
    grid.font.name = "Courier New";
    grid.SetFlag(view_flag::kUnderlines, true);
    grid.frameColor = 0x800000;

    MemoView& right = AddMemo(page, 460, 180, 294, 30, {"Heure : 14:30"});
    right.alignment = text_align::kRight;
    right.font.color = 0x0000C0;
    right.font.style = font_style::kItalic;

    auto line = std::make_unique<LineView>();
    line->left = 40;
    line->top = 280;
    line->width = 714;
    line->height = 2;
    line->frameWidth = 2;
    page.push_back(std::move(line));

    auto picture = std::make_unique<PictureView>();
    picture->left = 40;
    picture->top = 300;
    picture->width = 200;
    picture->height = 200;
    picture->flags = view_flag::kStretched | view_flag::kKeepAspect | view_flag::kCenter;
    picture->frameTyp = 15;
    picture->picture.kind = GraphicKind::Bitmap;
    picture->picture.data = SampleBitmap();
    page.push_back(std::move(picture));
    return page;
}

}  // namespace report::testing
