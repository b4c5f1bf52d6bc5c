#include "report/core/building/aggregate_list.h"

#include "report/core/base/text.h"

namespace report {
namespace {

constexpr char kSeparator = '\x01';

// Splits a key into its parts; per-column copies have one more part in front.
std::vector<std::string> KeyParts(std::string_view key) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i < key.size(); ++i) {
        if (key[i] == kSeparator) {
            parts.emplace_back(key.substr(start, i - start));
            start = i + 1;
        }
    }
    return parts;
}

}  // namespace

Variant AggregateList::InitialValue(int code) {
    return code == aggregate_code::kMin ? Variant::Double(1e300) : Variant::Int32(0);
}

void AggregateList::Register(const std::string& key, const Variant& initialValue) {
    if (Find(key) != nullptr) return;
    AggregateEntry entry;
    entry.key = key;
    entry.value = initialValue;
    std::vector<std::string> parts = KeyParts(key);
    if (parts.size() == 5) {  // the column prefix
        entry.column = 0;
        for (char c : parts[0]) {
            if (c < '0' || c > '9' || entry.column > 100000) break;
            entry.column = entry.column * 10 + (c - '0');
        }
        parts.erase(parts.begin());
    }
    if (parts.size() == 4) {
        entry.showingBand = parts[0];
        entry.code = parts[1].empty() ? 0 : static_cast<unsigned char>(parts[1][0]);
        entry.expression = parts[2];
        entry.includeInvisible = Trim(parts[3]);
    }
    entries_.push_back(std::move(entry));
}

bool AggregateList::HasColumnTemplates() const {
    for (const AggregateEntry& entry : entries_)
        if (entry.column == 0) return true;
    return false;
}

void AggregateList::MakeColumnCopies(int column) {
    std::vector<std::string> missing;
    std::vector<int> codes;
    for (const AggregateEntry& entry : entries_) {
        if (entry.column != 0) continue;
        const size_t separator = entry.key.find(kSeparator);
        std::string key = std::to_string(column) + entry.key.substr(separator);
        if (Find(key) == nullptr) {
            missing.push_back(std::move(key));
            codes.push_back(entry.code);
        }
    }
    // Each copy starts from its code's initial value (a MIN starting from 0 would stay 0).
    for (size_t i = 0; i < missing.size(); ++i)
        Register(missing[i], InitialValue(codes[i]));
}

AggregateEntry* AggregateList::Find(std::string_view key) {
    for (AggregateEntry& entry : entries_) {
        if (entry.key == key) return &entry;
    }
    return nullptr;
}

void AggregateList::ResetShownBy(std::string_view band) {
    for (AggregateEntry& entry : entries_) {
        if (SameText(entry.showingBand, band)) entry.value = InitialValue(entry.code);
    }
}

void Accumulate(AggregateEntry& entry, const Variant& value) {
    switch (entry.code) {
        case aggregate_code::kSum:
        case aggregate_code::kAvg:
            entry.value = entry.value + value;
            break;
        case aggregate_code::kMin:
            if (value < entry.value) entry.value = value;
            break;
        case aggregate_code::kMax:
            if (value > entry.value) entry.value = value;
            break;
        case aggregate_code::kCount:
            entry.value = entry.value + Variant::Int32(1);
            break;
        default:
            break;
    }
}

}  // namespace report
