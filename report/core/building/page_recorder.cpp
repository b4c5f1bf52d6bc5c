#include "report/core/building/page_recorder.h"

#include <stdexcept>

#include "report/core/building/band.h"
#include "report/core/building/view_build_access.h"
#include "report/core/data/dataset.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/page.h"
#include "report/core/render/text_layout.h"

namespace report {
namespace {

// The lines as they read: a split text's paragraph-end markers are not text.
std::string JoinedText(const RecordedObject& object) {
    std::string text;
    bool first = true;
    for (const std::string& line : object.text) {
        if (line == std::string(1, kParagraphEnd)) continue;
        if (!first) text += '|';
        first = false;
        for (char c : line)
            if (c != kParagraphEnd) text += c;
    }
    return text;
}

}  // namespace

void PageRecorder::AddPage(const Page& designPage) {
    RecordedPage page;
    page.paperSize = designPage.size;
    page.paperWidth = designPage.width;
    page.paperHeight = designPage.height;
    page.designPage = designPage.name;
    pages_.push_back(std::move(page));
}

void PageRecorder::WriteObject(int pageIndex, View& object) {
    if (pageIndex < 0 || pageIndex >= PageCount())
        throw std::out_of_range("PageRecorder::WriteObject: no prepared page " +
                                std::to_string(pageIndex));
    RecordedObject record;
    record.name = object.name;
    record.objectType = object.objectType;
    record.left = object.left;
    record.top = object.top;
    record.width = object.width;
    record.height = object.height;
    record.fillColor = object.fillColor;
    record.tag = object.tag;
    if (const Band* band = ParentBand(object)) {
        record.bandKind = band->kind;
        record.bandName = band->name;
        record.bandTop = band->top;
        record.bandHeight = band->drawnHeight > 0 ? band->drawnHeight : band->height;
        if (band->page != nullptr && !band->page->isSubReportPage)
            record.designPage = band->page->name;
        if (band->IsDataBand() && band->DataSource() != nullptr)
            record.record = band->DataSource()->RecordNo();
    }
    if (auto* memo = dynamic_cast<MemoView*>(&object)) {
        record.text = ExpandedMemo(object);
        record.fontStyle = memo->font.style;
    }
    pages_[static_cast<size_t>(pageIndex)].objects.push_back(std::move(record));
}

std::vector<std::string> PageRecorder::Texts(int pageIndex) const {
    std::vector<std::string> texts;
    for (const RecordedObject& object : pages_.at(static_cast<size_t>(pageIndex)).objects)
        texts.push_back(JoinedText(object));
    return texts;
}

std::string PageRecorder::Listing() const {
    std::string out;
    for (size_t i = 0; i < pages_.size(); ++i) {
        out += "page " + std::to_string(i + 1) + "\n";
        for (const RecordedObject& object : pages_[i].objects) {
            out += "  " + object.name + " " + std::to_string(object.left) + "," +
                   std::to_string(object.top) + " " + std::to_string(object.width) + "x" +
                   std::to_string(object.height) + ": " + JoinedText(object) + "\n";
        }
    }
    return out;
}

}  // namespace report
