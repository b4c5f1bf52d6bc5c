#include "report/core/data/dataset.h"

namespace report {

void Dataset::First() {
    recordNo_ = 0;
    if (onFirst) onFirst(*this);
}

void Dataset::Next() {
    if (recordNo_ < INT32_MAX) ++recordNo_;
    if (rangeEnd == RangeEnd::reCount && recordNo_ >= rangeEndCount) return;
    if (onNext) onNext(*this);
}

void Dataset::Prior() {
    if (recordNo_ > INT32_MIN) --recordNo_;
    if (onPrior) onPrior(*this);
}

bool Dataset::Eof() {
    bool eof = rangeEnd == RangeEnd::reCount && recordNo_ >= rangeEndCount;
    if (onCheckEOF) onCheckEOF(*this, eof);
    return eof;
}

}  // namespace report
