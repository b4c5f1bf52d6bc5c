// Variables: an ordered list of (name, Variant) pairs, used for global variables, dictionary
// variables, constants and aggregate accumulators.
//
// Names compare without regard to case under the Windows-1252 rules (as CompareText). The list
// keeps insertion order unless sorted mode is on; then it keeps the names in case-insensitive
// order, finds them by binary search, and never adds a name it already holds.
// Indexes count from 0; -1 means "not found".
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "report/core/value/variant.h"

namespace report {

class Variables {
  public:
    int Count() const { return static_cast<int>(entries_.size()); }
    bool IsEmpty() const { return entries_.empty(); }

    // Index of the name, or -1. The first of equal names when duplicates were made in insertion
    // order.
    int Find(std::string_view name) const;
    bool Contains(std::string_view name) const { return Find(name) >= 0; }

    // The value of the name; Null when the name is absent. The reference stays valid until the
    // list changes.
    const Variant& Get(std::string_view name) const;
    // The stored value for in-place updates (aggregates), or nullptr when the name is absent.
    Variant* FindValue(std::string_view name);
    const Variant* FindValue(std::string_view name) const;

    // Replaces the value of an existing name (its spelling stays as first given), else adds the
    // pair: at the end, or at its sorted place in sorted mode. Returns the pair's index.
    int Set(std::string_view name, Variant value);

    // Out of range, NameAt gives "" and ValueAt the int32 0.
    const std::string& NameAt(int index) const;
    const Variant& ValueAt(int index) const;

    // Changes in place; ignored when the index is out of range. In sorted mode a renamed pair
    // moves to its sorted place, and a rename to a name held by another pair is ignored.
    void SetNameAt(int index, std::string_view name);
    void SetValueAt(int index, Variant value);

    // Set(name, int32 0), then moves the pair to the position (clamped to the list). In sorted
    // mode the pair stays at its sorted place.
    void InsertAt(int position, std::string_view name);

    // Removes a pair; ignored when out of range / absent. Delete returns whether it removed.
    void DeleteAt(int index);
    bool Delete(std::string_view name);
    void Clear() { entries_.clear(); }

    // Switching sorted mode on sorts the pairs (stable: equal names keep their order).
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);

    // Clear, then Set of every pair of the other list in its order (this list's mode is kept).
    void CopyFrom(const Variables& other);

    // Fills a list from many pairs (file readers): Set and Get with their meaning, in constant
    // time each in insertion mode, where Set alone searches the whole list. It indexes the
    // list as it is when the loader is made; the list must change only through the loader
    // while the loader lives. In sorted mode it simply calls the list's own Set and Get.
    class Loader {
      public:
        explicit Loader(Variables& list);
        int Set(std::string_view name, Variant value);
        const Variant& Get(std::string_view name) const;

      private:
        Variables& list_;
        std::unordered_map<std::string, int> firstIndex_;  // key -> its first pair
    };

  private:
    struct Entry {
        std::string name;
        std::string key;  // the name upper-cased: byte order of keys is CompareText order
        Variant value;
    };

    // Sorted mode: the first index whose key is not below the key (may be Count()).
    int LowerBound(std::string_view key) const;
    int FindKey(std::string_view key) const;
    bool InRange(int index) const { return index >= 0 && index < Count(); }

    std::vector<Entry> entries_;
    bool sorted_ = false;
};

}  // namespace report
