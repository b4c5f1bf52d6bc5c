#include "report/core/model/band_data_source.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/model/band_view.h"
#include "report/core/model/model_texts.h"
#include "report/core/model/report.h"

namespace report {
namespace {

int32_t RecordCount(const std::string& name) {
    int64_t value = 0;
    for (char c : name) {
        if (c < '0' || c > '9') throw ConvertError::NotInteger(name);
        value = value * 10 + (c - '0');
        if (value > INT32_MAX) throw ConvertError::NotInteger(name);
    }
    return static_cast<int32_t>(value);
}

}  // namespace

void BandDataSource::Bind(Report& report, int bandType, const std::string& name) {
    Release();
    if (bandType == static_cast<int>(BandType::GroupHeader)) return;
    if (name.find(';') == std::string::npos) {
        if (!name.empty() && name[0] >= '1' && name[0] <= '9') {
            owned_ = std::make_unique<UserDataset>();
            owned_->rangeEnd = RangeEnd::reCount;
            owned_->rangeEndCount = RecordCount(name);
            dataset_ = owned_.get();
        } else if (!name.empty()) {
            Component* component = nullptr;
            try {
                component = report.FindComponentByName(name);
            } catch (const std::exception&) {
                throw EngineError(FormatMessage(EngineText(model_text::kMissing), {name}));
            }
            if (component != nullptr) {
                dataset_ = dynamic_cast<Dataset*>(component);
                if (dataset_ == nullptr) {
                    throw EngineError(FormatMessage(EngineText(model_text::kNotADataset), {name}));
                }
            }
        }
        if (dataset_ != nullptr) {
            dataset_->Init();
            initialised_ = true;
        }
    }
    if (dataset_ == nullptr && bandType == static_cast<int>(BandType::MasterData) &&
        report.reportType == ReportType::rtSimple) {
        dataset_ = report.dataset;
    }
}

void BandDataSource::Release() {
    if (dataset_ != nullptr && initialised_) dataset_->Exit();
    dataset_ = nullptr;
    initialised_ = false;
    owned_.reset();
}

}  // namespace report
