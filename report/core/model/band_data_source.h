// Binding a band to the data source its object names (the band's FormatPattern) when a report
// is prepared, and releasing it afterwards.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "report/core/data/dataset.h"

namespace report {

class Report;

// The data source of a run-time band. A virtual source made from a record count is owned here.
class BandDataSource {
  public:
    BandDataSource() = default;
    // A moved-from binding holds nothing, so that only one of the two releases the source.
    BandDataSource(BandDataSource&& other) noexcept { *this = std::move(other); }
    BandDataSource& operator=(BandDataSource&& other) noexcept {
        if (this == &other) return *this;
        Release();
        dataset_ = std::exchange(other.dataset_, nullptr);
        owned_ = std::move(other.owned_);
        initialised_ = std::exchange(other.initialised_, false);
        return *this;
    }
    ~BandDataSource() { Release(); }

    Dataset* Get() const { return dataset_; }
    bool IsVirtual() const { return owned_ != nullptr; }

    // Group headers (type 16) bind nothing (their text is a condition); a name with a ';'
    // binds nothing; a name starting with a digit 1-9 makes a virtual source of that many
    // records; any other name is looked up among the report's components (nothing found:
    // no source; a component that is not a data source: EngineError; a failing lookup:
    // EngineError "Missing <name>"). A source found gets Init. A master data band (type 5)
    // left without one takes the report's Dataset under rtSimple.
    void Bind(Report& report, int bandType, const std::string& name);
    // Exit, then frees a virtual source.
    void Release();

  private:
    Dataset* dataset_ = nullptr;
    std::unique_ptr<UserDataset> owned_;
    bool initialised_ = false;
};

}  // namespace report
