#include "report/core/building/prepared_pages_sink.h"

#include "report/core/prepared/prepared_pages.h"

namespace report {

void PreparedPagesSink::Clear() {
    store_.ClearPages();
}

void PreparedPagesSink::AddPage(const Page& designPage) {
    // Not AppendPage: it would fire OnBeginPage a second time.
    store_.InsertPage(store_.PageCount(), designPage);
}

void PreparedPagesSink::WriteObject(int pageIndex, View& object) {
    store_.AppendObject(pageIndex, object);
}

int PreparedPagesSink::PageCount() const {
    return store_.PageCount();
}

}  // namespace report
