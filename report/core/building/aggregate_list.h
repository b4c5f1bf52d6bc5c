// AggregateList: the accumulators of one data band (SUM, MIN, MAX, AVG, COUNT), in
// registration order. A key is the showing band's name, the code character, the expression and
// the include-invisible argument, each followed by the character 1 (per-column copies carry a
// column prefix and the character 1 before them).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "report/core/value/variant.h"

namespace report {

namespace aggregate_code {
inline constexpr int kSum = 11;
inline constexpr int kMin = 12;
inline constexpr int kMax = 13;
inline constexpr int kAvg = 14;
inline constexpr int kCount = 15;
}  // namespace aggregate_code

struct AggregateEntry {
    std::string key;
    Variant value;
    // The key's parts.
    std::string showingBand;
    int code = 0;
    std::string expression;
    std::string includeInvisible;
    // -1: a plain entry; 0: the template of per-column copies; n: the copy of column n.
    int column = -1;
    // Records this entry took in since it was last reset: AVG divides by it, so that an average
    // of the visible records is theirs. Each entry counts its own, so that a group footer's
    // reset leaves the summary's alone.
    int records = 0;
};

class AggregateList {
  public:
    // The value every accumulator of that code starts from: 1e300 for MIN, else the integer 0.
    static Variant InitialValue(int code);

    // Adds the entry unless its key is there already.
    void Register(const std::string& key, const Variant& initialValue);
    AggregateEntry* Find(std::string_view key);
    std::vector<AggregateEntry>& Entries() { return entries_; }
    bool IsEmpty() const { return entries_.empty(); }

    // Puts every entry shown by `band` (compared without case) back to its initial value.
    void ResetShownBy(std::string_view band);
    // Every entry back to its initial value, per-column copies dropped (a new pass).
    void ResetAll();

    // Adds one record: `evaluate` gives an expression's value (an entry with the same
    // expression as the one before it reuses that value). Entries accumulate when the band is
    // visible or their include-invisible argument is "1".
    // Per-column copies are left alone.
    template <typename Evaluate>
    void Accumulate(bool bandVisible, Evaluate evaluate);
    // The same for the copies of column `column` (from 1) only, made from their templates
    // when missing.
    template <typename Evaluate>
    void AccumulateColumn(int column, bool bandVisible, Evaluate evaluate);
    bool HasColumnTemplates() const;

  private:
    template <typename Evaluate>
    void AccumulateWhere(int column, bool bandVisible, Evaluate evaluate);
    void MakeColumnCopies(int column);

    std::vector<AggregateEntry> entries_;
};

void Accumulate(AggregateEntry& entry, const Variant& value);

template <typename Evaluate>
void AggregateList::Accumulate(bool bandVisible, Evaluate evaluate) {
    AccumulateWhere(-1, bandVisible, evaluate);
}

template <typename Evaluate>
void AggregateList::AccumulateColumn(int column, bool bandVisible, Evaluate evaluate) {
    MakeColumnCopies(column);
    AccumulateWhere(column, bandVisible, evaluate);
}

template <typename Evaluate>
void AggregateList::AccumulateWhere(int column, bool bandVisible, Evaluate evaluate) {
    Variant value;
    const std::string* previousExpression = nullptr;
    for (AggregateEntry& entry : entries_) {
        if (entry.column != column) continue;
        if (entry.code != aggregate_code::kCount &&
            (previousExpression == nullptr || *previousExpression != entry.expression)) {
            value = evaluate(entry.expression);
            previousExpression = &entry.expression;
        }
        if (bandVisible || entry.includeInvisible == "1") {
            report::Accumulate(entry, value);
            ++entry.records;
        }
    }
}

}  // namespace report
