// Bounds the depth of the language's recursions (an expression whose names evaluate further
// expressions, a memo whose width asks for its own expansion...), so that a text that refers to
// itself raises "Expression trop imbriquée" instead of exhausting the stack.
#pragma once

#include "report/core/language/language_errors.h"

namespace report {

// Deepest nesting of evaluations. Real reports stay below ten.
inline constexpr int kMaxNesting = 100;

class NestingGuard {
  public:
    explicit NestingGuard(int& depth) : depth_(depth) {
        if (depth_ >= kMaxNesting) throw ExpressionError::TooDeep();
        ++depth_;
    }
    ~NestingGuard() { --depth_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

  private:
    int& depth_;
};

}  // namespace report
