// Header lines of the form name ":" value, with continuation lines (lines that begin with a
// space or a tab continue the value of the line above). Names compare without regard to case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace net {

class HeaderList {
  public:
    // Width at which PutValue folds a long line into continuation lines.
    static constexpr std::size_t kFoldWidth = 78;

    std::size_t Count() const { return lines_.size(); }
    bool Empty() const { return lines_.empty(); }
    const std::string& operator[](std::size_t index) const { return lines_[index]; }
    const std::vector<std::string>& Lines() const { return lines_; }

    void Clear() { lines_.clear(); }
    // Appends a whole line as it is (no folding).
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    void Delete(std::size_t index);

    // The text before the first ":", in capitals; empty when the line has none.
    std::string NameAt(std::size_t index) const;

    // Index of the first line with that name, without regard to case; -1 when none.
    int FindName(std::string_view name) const;

    // The text after the first ":" with the continuation lines joined by one space, leading
    // blanks removed (trailing ones stay).
    std::string ValueAt(std::size_t index) const;

    // The value of the first line with that name; empty when none.
    std::string ValueOf(std::string_view name) const;

    // With a value: name ": " value replaces the first line of that name (its continuation
    // lines removed) or is appended, folded at kFoldWidth columns. With an empty value: the
    // first line of that name and its continuation lines are deleted.
    void PutValue(std::string_view name, std::string_view value);

  private:
    // Number of continuation lines after line `index`.
    std::size_t ContinuationCount(std::size_t index) const;

    std::vector<std::string> lines_;
};

}  // namespace net
