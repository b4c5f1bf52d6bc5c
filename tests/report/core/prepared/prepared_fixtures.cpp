#include "tests/report/core/prepared/prepared_fixtures.h"

#include <initializer_list>

#include "report/core/base/engine_stream.h"
#include "report/core/model/line_view.h"
#include "report/core/prepared/page_data.h"

namespace prepared_fixtures {

using report::EngineStream;

Bench::Bench() {
    state.printer.Start(nullptr);
    report = std::make_unique<report::Report>(state);
    templatePage = &report->AddPage();
}

std::unique_ptr<report::MemoView> Memo(const std::string& text, int left, int top, int width,
                                       int height) {
    auto memo = std::make_unique<report::MemoView>();
    memo->name = "Memo1";
    memo->left = left;
    memo->top = top;
    memo->width = width;
    memo->height = height;
    memo->expandedMemo = {text};
    return memo;
}

std::string SamplePageData() {
    EngineStream data(report::EmptyPageData());
    data.Seek(data.Size());
    auto memo = Memo("\xC9quipe A", 20, 30, 150, 18);
    report::WritePageObject(data, *memo);
    report::LineView line;
    line.name = "Line1";
    line.left = 20;
    line.top = 50;
    line.width = 300;
    line.frameTyp = report::frame_side::kTop;
    report::WritePageObject(data, line);
    return data.TakeBytes();
}

namespace {

struct PageFields {
    uint16_t code;
    int32_t width, height;
    uint8_t orientation;
    int32_t bin;
    uint8_t marginsActive;
    int32_t margins[4];
};

constexpr PageFields kPages[] = {
    {9, 2100, 2970, 0, -1, 1, {0, 0, 0, 0}},
    {9, 2970, 2100, 1, 7, 0, {10, 20, 30, 40}},
};

void EndEntry(EngineStream& s, size_t entryStart) {
    const size_t end = s.Position();
    s.Seek(entryStart);
    report::WriteI32(s, static_cast<int32_t>(end));
    s.Seek(end);
}

std::string ObjectPagesFile(bool withVersion) {
    EngineStream s;
    if (withVersion) report::WriteU8(s, 24);
    report::WriteU8(s, 0);  // not compressed
    report::WriteString(s, report::Printer::VirtualPrinterName());
    report::WriteI32(s, 2);
    for (const PageFields& page : kPages) {
        const size_t start = s.Position();
        report::WriteI32(s, 0);
        report::WriteU16(s, page.code);
        report::WriteI32(s, page.width);
        report::WriteI32(s, page.height);
        report::WriteU8(s, page.orientation);
        if (withVersion) report::WriteI32(s, page.bin);
        report::WriteU8(s, page.marginsActive);
        if (withVersion) {
            for (int32_t margin : page.margins)
                report::WriteI32(s, margin);
        }
        s.Write(SamplePageData());
        EndEntry(s, start);
    }
    return s.TakeBytes();
}

}  // namespace

std::string Version24File() {
    return ObjectPagesFile(true);
}

std::string NoVersionFile() {
    return ObjectPagesFile(false);
}

std::string TinyMetafile() {
    EngineStream s;
    report::WriteU32(s, 1);   // EMR_HEADER
    report::WriteU32(s, 88);  // record size
    for (int i = 0; i < 8; ++i)
        report::WriteI32(s, i < 4 ? 0 : 100);  // bounds and frame
    report::WriteU32(s, 0x464D4520);           // " EMF"
    report::WriteU32(s, 0x10000);              // version
    report::WriteU32(s, 88 + 20);              // file size
    report::WriteU32(s, 2);                    // records
    while (s.Size() < 88)
        report::WriteU8(s, 0);
    report::WriteU32(s, 14);  // EMR_EOF
    report::WriteU32(s, 20);
    report::WriteU32(s, 0);
    report::WriteU32(s, 0);
    report::WriteU32(s, 20);
    return s.TakeBytes();
}

std::string PicturePagesFile(const std::vector<std::string>& metafiles) {
    const std::vector<std::string> pages =
        metafiles.empty() ? std::vector<std::string>{TinyMetafile()} : metafiles;
    EngineStream s;
    s.Write(report::Printer::VirtualPrinterName());
    s.Write("\rAutre imprimante");
    report::WriteU8(s, 0);
    report::WriteI32(s, static_cast<int32_t>(pages.size()));
    for (const std::string& metafile : pages) {
        const size_t start = s.Position();
        report::WriteI32(s, 0);
        report::WriteU16(s, 9);
        report::WriteI32(s, 2100);
        report::WriteI32(s, 2970);
        report::WriteU8(s, 0);
        report::WriteU8(s, 1);
        s.Write(metafile);
        EndEntry(s, start);
    }
    return s.TakeBytes();
}

namespace {

// An EMF record: type, size, then the words.
void EmfWords(EngineStream& s, uint32_t type, std::initializer_list<uint32_t> words) {
    report::WriteU32(s, type);
    report::WriteU32(s, static_cast<uint32_t>(8 + 4 * words.size()));
    for (uint32_t word : words)
        report::WriteU32(s, word);
}

// UTF-16 units of Windows-1252 text whose letters are all below 0x100 in Unicode too.
std::vector<uint16_t> Utf16Of(const std::string& text) {
    std::vector<uint16_t> units;
    for (char c : text)
        units.push_back(static_cast<unsigned char>(c));
    return units;
}

}  // namespace

std::string PageMetafile(const std::vector<std::string>& lines, uint32_t extraRecord) {
    EngineStream s;
    report::WriteU32(s, 1);              // EMR_HEADER
    report::WriteU32(s, 88);             // record size
    for (int32_t v : {0, 0, 793, 1122})  // bounds, device pixels, inclusive
        report::WriteI32(s, v);
    for (int32_t v : {0, 0, 21000, 29700})  // frame, hundredths of a millimetre
        report::WriteI32(s, v);
    report::WriteU32(s, 0x464D4520);  // " EMF"
    report::WriteU32(s, 0x10000);     // version
    report::WriteU32(s, 0);           // file size, unchecked
    report::WriteU32(s, 0);           // records, unchecked
    while (s.Size() < 88)
        report::WriteU8(s, 0);
    // EXTCREATEFONTINDIRECTW: index 1, LOGFONTW of Arial, 16 pixels high (12 points)
    report::WriteU32(s, 82);
    report::WriteU32(s, 8 + 4 + 92);
    report::WriteU32(s, 1);
    for (int32_t v : {-16, 0, 0, 0, 400})
        report::WriteI32(s, v);
    for (int i = 0; i < 8; ++i)
        report::WriteU8(s, 0);  // italic … pitch and family
    const std::vector<uint16_t> face = Utf16Of("Arial");
    for (size_t i = 0; i < 32; ++i)
        report::WriteU16(s, i < face.size() ? face[i] : 0);
    EmfWords(s, 37, {1});         // SELECTOBJECT
    EmfWords(s, 24, {0x800000});  // SETTEXTCOLOR: navy
    int32_t y = 96;
    for (const std::string& line : lines) {
        const std::vector<uint16_t> units = Utf16Of(line);
        const uint32_t textBytes = static_cast<uint32_t>((units.size() * 2 + 3) / 4 * 4);
        report::WriteU32(s, 84);  // EXTTEXTOUTW
        report::WriteU32(s, 8 + 68 + textBytes);
        for (int32_t v : {96, y, 700, y + 20})  // bounds
            report::WriteI32(s, v);
        report::WriteU32(s, 1);   // GM_COMPATIBLE
        report::WriteU32(s, 0);   // x scale
        report::WriteU32(s, 0);   // y scale
        report::WriteI32(s, 96);  // reference point
        report::WriteI32(s, y);
        report::WriteU32(s, static_cast<uint32_t>(units.size()));
        report::WriteU32(s, 8 + 68);  // the string right after the fixed part
        report::WriteU32(s, 0);       // options
        for (int32_t v : {0, 0, 0, 0})
            report::WriteI32(s, v);
        report::WriteU32(s, 0);  // no spacing array
        for (uint16_t unit : units)
            report::WriteU16(s, unit);
        if (units.size() % 2 != 0) report::WriteU16(s, 0);
        y += 30;
    }
    EmfWords(s, 27, {96, static_cast<uint32_t>(y)});   // MOVETOEX
    EmfWords(s, 54, {700, static_cast<uint32_t>(y)});  // LINETO
    if (extraRecord != 0) EmfWords(s, extraRecord, {0, 0, 0, 0});
    EmfWords(s, 14, {0, 0, 20});  // EMR_EOF
    return s.TakeBytes();
}

}  // namespace prepared_fixtures
