// Free names "Prefix" + N for a batch of objects or pages (a template being read): remembers the
// names in use and where each prefix's search stands, so that naming n objects costs O(n)
// instead of a search of the whole report for every candidate.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace report {

class NameGenerator {
  public:
    static constexpr int kLimit = 10000;

    // A name now in use (compared without case).
    void Add(std::string_view name);
    // The first Prefix + N (N from 1 to kLimit) not in use, now marked used; "" when none.
    std::string Next(const std::string& prefix);

  private:
    std::unordered_set<std::string> used_;       // upper-cased
    std::unordered_map<std::string, int> next_;  // upper-cased prefix -> next N to try
};

}  // namespace report
