// PreparedPagesSink: a build writes its pages into the report's prepared-page store.
#pragma once

#include "report/core/building/prepared_sink.h"

namespace report {

class PreparedPages;

class PreparedPagesSink final : public PreparedSink {
  public:
    // Not owned.
    explicit PreparedPagesSink(PreparedPages& store) : store_(store) {}

    void Clear() override;
    // A blank page at the end; the builder itself tells the report that a page begins.
    void AddPage(const Page& designPage) override;
    void WriteObject(int pageIndex, View& object) override;
    int PageCount() const override;

  private:
    PreparedPages& store_;
};

}  // namespace report
