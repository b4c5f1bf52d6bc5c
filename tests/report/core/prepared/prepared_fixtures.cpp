#include "tests/report/core/prepared/prepared_fixtures.h"

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

std::string PicturePagesFile() {
    EngineStream s;
    s.Write(report::Printer::VirtualPrinterName());
    s.Write("\rAutre imprimante");
    report::WriteU8(s, 0);
    report::WriteI32(s, 1);
    const size_t start = s.Position();
    report::WriteI32(s, 0);
    report::WriteU16(s, 9);
    report::WriteI32(s, 2100);
    report::WriteI32(s, 2970);
    report::WriteU8(s, 0);
    report::WriteU8(s, 1);
    s.Write(TinyMetafile());
    EndEntry(s, start);
    return s.TakeBytes();
}

}  // namespace prepared_fixtures
