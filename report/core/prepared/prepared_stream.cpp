// The prepared-report file: its three layouts on reading, version 24 on writing.
#include <string>
#include <utility>
#include <vector>

#include "report/core/model/model_state.h"
#include "report/core/model/picture_view.h"
#include "report/core/model/report.h"
#include "report/core/prepared/compressor.h"
#include "report/core/prepared/page_data.h"
#include "report/core/prepared/prepared_file_error.h"
#include "report/core/prepared/prepared_pages.h"

namespace report {
namespace {

constexpr uint8_t kFirstVersion = 24;
constexpr uint8_t kLastVersion = 31;
constexpr int kFirstVersionWithBinAndMargins = 24;
// Page entry fields before the page data: end offset, paper code, width, height, orientation,
// (bin), MarginsActive, (margins).
constexpr size_t kEntryHeaderSize = 4 + 2 + 4 + 4 + 1 + 1;
constexpr size_t kBinAndMarginsSize = 4 + 16;

bool IsObjectPagesFlag(uint8_t flag) {
    return flag == 0 || flag == 1 || flag == 255;
}

// An engine string that the stream holds whole.
std::string ReadWholeString(EngineStream& s) {
    uint16_t length = 0;
    if (!ReadU16(s, length) || s.Remaining() < static_cast<size_t>(length) + 1)
        throw PreparedFileError::BadFormat();
    std::string text(length, '\0');
    s.Read(text.data(), length);
    s.Skip(1);
    return text;
}

// The page count, which the remaining bytes must be able to hold.
int32_t ReadPageCount(EngineStream& s, size_t smallestEntry) {
    int32_t count = 0;
    if (!ReadI32(s, count)) throw PreparedFileError::BadFormat();
    if (count <= 0 || static_cast<size_t>(count) > s.Remaining() / smallestEntry)
        throw PreparedFileError::BadPageCount(count);
    return count;
}

// The page's end offset, checked against where its header ends and the end of the file.
size_t CheckedEnd(const EngineStream& s, int32_t end, int pageNumber) {
    if (end < 0 || static_cast<size_t>(end) < s.Position())
        throw PreparedFileError::DamagedPage(pageNumber);
    if (static_cast<size_t>(end) > s.Size()) throw PreparedFileError::Truncated(pageNumber);
    return static_cast<size_t>(end);
}

// The fields every page entry starts with, in file order: its end offset, the paper, and
// (from version 24) the bin and the margins around the margins flag.
int32_t ReadPageEntryHeader(EngineStream& s, PreparedPage& page, bool withBinAndMargins) {
    int32_t end = 0;
    ReadI32(s, end);
    ReadU16(s, page.paperCode);
    ReadI32(s, page.paperWidth);
    ReadI32(s, page.paperHeight);
    ReadU8(s, page.orientation);
    page.paperBin = kPrinterDefaultBin;
    if (withBinAndMargins) ReadI32(s, page.paperBin);
    uint8_t marginsActive = 0;
    ReadU8(s, marginsActive);
    page.marginsActive = marginsActive != 0;
    if (withBinAndMargins) {
        ReadI32(s, page.margins.left);
        ReadI32(s, page.margins.top);
        ReadI32(s, page.margins.right);
        ReadI32(s, page.margins.bottom);
    }
    return end;
}

}  // namespace

struct PreparedPages::FilePages {
    int version = 0;
    uint8_t compressionFlag = 0;
    std::string printerName;
    std::vector<std::unique_ptr<PreparedPage>> pages;
    // Picture pages: the metafile of each page, made into page data once its metrics are known.
    std::vector<std::string> metafiles;
};

void PreparedPages::ReadFromStream(EngineStream& s) {
    s.Seek(0);
    uint8_t first = 0;
    if (!ReadU8(s, first)) throw PreparedFileError::BadFormat();
    int version = 0;
    uint8_t flag = first;
    if (first >= kFirstVersion && first <= kLastVersion) {
        version = first;
        if (!ReadU8(s, flag)) throw PreparedFileError::BadFormat();
    }
    FilePages file =
        IsObjectPagesFlag(flag) ? ReadObjectPages(s, version, flag) : ReadPicturePages(s);
    file.version = version;
    file.compressionFlag = flag;
    Adopt(file);
}

PreparedPages::FilePages PreparedPages::ReadObjectPages(EngineStream& s, int version,
                                                        uint8_t flag) const {
    FilePages file;
    file.printerName = ReadWholeString(s);
    const bool withBinAndMargins = version >= kFirstVersionWithBinAndMargins;
    const size_t headerSize = kEntryHeaderSize + (withBinAndMargins ? kBinAndMarginsSize : 0);
    const int32_t count = ReadPageCount(s, headerSize);
    ViewFactory& factory = report_->State().factory;
    for (int32_t i = 0; i < count; ++i) {
        const int pageNumber = i + 1;
        if (s.Remaining() < headerSize) throw PreparedFileError::Truncated(pageNumber);
        auto page = std::make_unique<PreparedPage>();
        const int32_t end = ReadPageEntryHeader(s, *page, withBinAndMargins);
        const size_t dataEnd = CheckedEnd(s, end, pageNumber);
        std::string data = s.Bytes().substr(s.Position(), dataEnd - s.Position());
        if (flag != 0) {
            // A disabled compressor would turn every page blank without a word.
            if (!compressor_->Enabled()) throw PreparedFileError::Compressed();
            EngineStream packed(std::move(data));
            EngineStream unpacked;
            compressor_->Decompress(packed, unpacked);
            data = unpacked.TakeBytes();
        }
        ReadPageObjects(data, factory, pageNumber);  // refuses damaged page data now
        page->pageData = std::move(data);
        file.pages.push_back(std::move(page));
        s.Seek(dataEnd);
    }
    return file;
}

PreparedPages::FilePages PreparedPages::ReadPicturePages(EngineStream& s) const {
    FilePages file;
    s.Seek(0);
    const std::string& bytes = s.Bytes();
    const size_t zero = bytes.find('\0');
    if (zero == std::string::npos) throw PreparedFileError::BadFormat();
    const std::string names = bytes.substr(0, zero);
    file.printerName = names.substr(0, names.find('\r'));
    s.Seek(zero + 1);
    const int32_t count = ReadPageCount(s, kEntryHeaderSize);
    for (int32_t i = 0; i < count; ++i) {
        const int pageNumber = i + 1;
        if (s.Remaining() < kEntryHeaderSize) throw PreparedFileError::Truncated(pageNumber);
        auto page = std::make_unique<PreparedPage>();
        const int32_t end = ReadPageEntryHeader(s, *page, false);
        const size_t dataEnd = CheckedEnd(s, end, pageNumber);
        file.metafiles.push_back(s.Bytes().substr(s.Position(), dataEnd - s.Position()));
        file.pages.push_back(std::move(page));
        s.Seek(dataEnd);
    }
    return file;
}

void PreparedPages::Adopt(FilePages& file) {
    // Nothing below fails: the store and the printer change only for a file read whole.
    report_->SelectPrinterByName(file.printerName);
    ModelState& state = report_->State();
    Printer& printer = state.printer;
    for (size_t i = 0; i < file.pages.size(); ++i) {
        PreparedPage& page = *file.pages[i];
        printer.ApplyPageSettings(page.paperCode, page.paperWidth, page.paperHeight, page.paperBin,
                                  page.orientation, false);
        printer.FillPageMetrics(page.metrics);
        if (i < file.metafiles.size()) {
            // The oldest layout: one picture covering the whole sheet.
            std::unique_ptr<View> view = state.factory.CreateViewByType(object_type::kPicture);
            auto& picture = static_cast<PictureView&>(*view);
            picture.width = page.metrics.pageWidth;
            picture.height = page.metrics.pageHeight;
            picture.picture = Picture{GraphicKind::Metafile, std::move(file.metafiles[i])};
            EngineStream data(EmptyPageData());
            data.Seek(data.Size());
            WritePageObject(data, picture);
            page.pageData = data.TakeBytes();
        }
    }
    picturePages_ = !file.metafiles.empty();
    pages_ = std::move(file.pages);
    canRebuild_ = false;
    fileVersion_ = file.version;
    fileCompressionFlag_ = file.compressionFlag;
    filePrinterName_ = std::move(file.printerName);
}

void PreparedPages::WriteToStream(EngineStream& s) const {
    const bool compress = compressor_->Enabled();
    WriteU8(s, kCurrentStreamVersion);
    WriteU8(s, compress ? 1 : 0);
    WriteString(s, report_->State().printer.SelectedName());
    WriteI32(s, PageCount());
    for (const auto& page : pages_) {
        const size_t entryStart = s.Position();
        WriteI32(s, 0);
        WriteU16(s, page->paperCode);
        WriteI32(s, page->paperWidth);
        WriteI32(s, page->paperHeight);
        WriteU8(s, page->orientation);
        WriteI32(s, page->paperBin);
        WriteU8(s, page->marginsActive ? 1 : 0);
        WriteI32(s, page->margins.left);
        WriteI32(s, page->margins.top);
        WriteI32(s, page->margins.right);
        WriteI32(s, page->margins.bottom);
        if (compress) {
            EngineStream plain(page->pageData);
            EngineStream packed;
            compressor_->Compress(plain, packed);
            s.Write(packed.Bytes());
        } else {
            s.Write(page->pageData);
        }
        const size_t entryEnd = s.Position();
        s.Seek(entryStart);
        WriteI32(s, static_cast<int32_t>(entryEnd));
        s.Seek(entryEnd);
    }
}

}  // namespace report
