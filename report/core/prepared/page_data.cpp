#include "report/core/prepared/page_data.h"

#include "report/core/base/errors.h"
#include "report/core/model/view_factory.h"
#include "report/core/prepared/prepared_file_error.h"

namespace report {
namespace {

// Record readers stop quietly at the end of their stream. Reading from a copy followed by a few
// filler bytes shows a record cut short: it consumes filler.
constexpr size_t kFillerSize = 8;

bool IsBuiltInType(uint8_t type) {
    return type <= object_type::kLine;
}

}  // namespace

std::string EmptyPageData() {
    return std::string(1, static_cast<char>(kCurrentStreamVersion));
}

void WritePageObject(EngineStream& pageData, View& view) {
    const bool wasPrepared = view.inPreparedPage;
    view.inPreparedPage = true;
    WriteU8(pageData, view.objectType);
    if (view.objectType == object_type::kAddIn) WriteString(pageData, view.ClassName());
    view.WriteRecord(pageData);
    view.inPreparedPage = wasPrepared;
}

std::vector<std::unique_ptr<View>> ReadPageObjects(const std::string& pageData,
                                                   ViewFactory& factory, int pageNumber) {
    std::vector<std::unique_ptr<View>> views;
    if (pageData.empty()) return views;
    const size_t end = pageData.size();
    std::string padded = pageData;
    padded.append(kFillerSize, '\xFF');
    EngineStream s(std::move(padded));
    uint8_t version = 0;
    ReadU8(s, version);
    while (s.Position() < end) {
        uint8_t type = 0;
        ReadU8(s, type);
        std::string className;
        if (type == object_type::kAddIn) {
            className = ReadString(s, version);
        } else if (!IsBuiltInType(type)) {
            throw PreparedFileError::DamagedPage(pageNumber);
        }
        if (s.Position() > end) throw PreparedFileError::DamagedPage(pageNumber);
        std::unique_ptr<View> view = factory.CreateViewByType(type, className);
        if (!view) throw PreparedFileError::UnknownClass(pageNumber, className);
        view->inPreparedPage = true;
        try {
            view->ReadRecord(s, version);
        } catch (const EngineError&) {
            throw PreparedFileError::DamagedPage(pageNumber);
        }
        view->inPreparedPage = false;
        if (s.Position() > end) throw PreparedFileError::DamagedPage(pageNumber);
        // Drawing and editing work on Memo; the finished text is what the page shows.
        view->memo = view->expandedMemo;
        views.push_back(std::move(view));
    }
    return views;
}

}  // namespace report
