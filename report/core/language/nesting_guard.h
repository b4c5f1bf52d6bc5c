// Bounds the depth of the language's recursions (an expression whose names evaluate further
// expressions, a memo whose width asks for its own expansion, the script compiler's grammar...),
// so that a text that refers to itself or nests without end raises "Expression trop imbriquée"
// instead of exhausting the stack.
#pragma once

#include "report/core/language/language_errors.h"

namespace report {

// Deepest nesting of evaluations. Real reports stay below ten.
inline constexpr int kMaxNesting = 100;

// Enters one level of `depth` for its lifetime.
class NestingGuard {
  public:
    // Raises ExpressionError::TooDeep, leaving `depth` as it is, when `limit` levels are open.
    explicit NestingGuard(int& depth, int limit = kMaxNesting) : depth_(depth) {
        if (depth_ >= limit) throw ExpressionError::TooDeep();
        ++depth_;
    }
    ~NestingGuard() { --depth_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

  private:
    int& depth_;
};

}  // namespace report
