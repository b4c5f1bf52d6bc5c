// Data sources: cursors with a record number and First / Next / Prior / end-of-data, walked by
// the report's data bands.
#pragma once

#include <cstdint>
#include <functional>

#include "report/core/data/component.h"

namespace report {

enum class RangeBegin : uint8_t { rbFirst = 0, rbCurrent = 1 };
enum class RangeEnd : uint8_t { reLast = 0, reCurrent = 1, reCount = 2 };

class Dataset : public Component {
  public:
    using NotifyEvent = std::function<void(Dataset& sender)>;
    using CheckEofEvent = std::function<void(Dataset& sender, bool& eof)>;

    explicit Dataset(std::string name = {}) : Component(std::move(name)) {}

    RangeBegin rangeBegin = RangeBegin::rbFirst;  // where First starts (database kind only)
    RangeEnd rangeEnd = RangeEnd::reLast;
    int32_t rangeEndCount = 0;  // records when rangeEnd is reCount
    NotifyEvent onFirst;
    NotifyEvent onNext;
    NotifyEvent onPrior;
    CheckEofEvent onCheckEOF;

    // 0-based number of the current record.
    int32_t RecordNo() const { return recordNo_; }

    // Given when a band is bound to the source, and when the band releases it.
    virtual void Init() {}
    virtual void Exit() {}
    virtual void First();
    // Moves on; OnNext is not called for the move that reaches RangeEndCount under reCount.
    virtual void Next();
    virtual void Prior();
    // (reCount and record number >= RangeEndCount), then OnCheckEOF may change it.
    virtual bool Eof();

  private:
    int32_t recordNo_ = 0;
};

// The event-driven data source: the host supplies the rows through the events.
class UserDataset : public Dataset {
  public:
    using Dataset::Dataset;
};

}  // namespace report
