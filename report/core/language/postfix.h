// The operator code bytes of postfix texts.
//
// A postfix text holds each operand as its source text (followed by one blank, except function
// calls, written whole from the name to the closing parenthesis) and each operator as one code
// byte. Postfix texts are stored by other parts of the engine (group conditions, compiled
// scripts), so these values are part of the engine's formats.
#pragma once

namespace report::postfix {

// Binary: multiply, divide, add, subtract, less, equal, greater.
inline constexpr char kMultiply = '*';
inline constexpr char kDivide = '/';
inline constexpr char kAdd = '+';
inline constexpr char kSubtract = '-';
inline constexpr char kLess = '<';
inline constexpr char kEqual = '=';
inline constexpr char kGreater = '>';
inline constexpr char kGreaterOrEqual = 1;
inline constexpr char kLessOrEqual = 2;
inline constexpr char kNotEqual = 3;
inline constexpr char kOr = 4;
inline constexpr char kAnd = 5;
inline constexpr char kMod = 13;
// Unary.
inline constexpr char kInt = 6;
inline constexpr char kFrac = 7;
inline constexpr char kNegate = 9;
inline constexpr char kPlus = 10;
inline constexpr char kStr = 11;
inline constexpr char kNot = 12;
inline constexpr char kRound = 14;

// Precedence classes of the infix converter: a lower class binds tighter. An opening
// parenthesis waiting on the operator stack has class 5.
inline constexpr int PrecedenceClass(char code) {
    switch (code) {
        case kInt:
        case kFrac:
        case kStr:
        case kRound:
            return 0;
        case kMultiply:
        case kDivide:
        case kMod:
        case kAnd:
        case kOr:
        case kNot:
            return 1;
        case kAdd:
        case kSubtract:
        case kNegate:
        case kPlus:
            return 2;
        case kLess:
        case kEqual:
        case kGreater:
        case kGreaterOrEqual:
        case kLessOrEqual:
        case kNotEqual:
            return 3;
        default:
            return 5;
    }
}

inline constexpr bool IsUnary(char code) {
    return code == kInt || code == kFrac || code == kNegate || code == kPlus || code == kStr ||
           code == kNot || code == kRound;
}

inline constexpr bool IsOperatorCode(char code) {
    switch (code) {
        case kMultiply:
        case kDivide:
        case kAdd:
        case kSubtract:
        case kLess:
        case kEqual:
        case kGreater:
        case kGreaterOrEqual:
        case kLessOrEqual:
        case kNotEqual:
        case kOr:
        case kAnd:
        case kMod:
        case kInt:
        case kFrac:
        case kNegate:
        case kPlus:
        case kStr:
        case kNot:
        case kRound:
            return true;
        default:
            return false;
    }
}

}  // namespace report::postfix
