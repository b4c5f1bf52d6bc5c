#include "report/core/render/hyphenation.h"

#include "report/core/base/text.h"

namespace report {

namespace {

// Ё А Е И О У Ы Э Ю Я
bool IsVowel(unsigned char c) {
    switch (c) {
        case 0xA8:
        case 0xC0:
        case 0xC5:
        case 0xC8:
        case 0xCE:
        case 0xD3:
        case 0xDB:
        case 0xDD:
        case 0xDE:
        case 0xDF:
            return true;
        default:
            return false;
    }
}

// Ъ Ь
bool IsSign(unsigned char c) {
    return c == 0xDA || c == 0xDC;
}

}  // namespace

std::vector<size_t> HyphenationPoints(std::string_view word, size_t limit) {
    std::vector<size_t> points;
    if (word.size() <= 4) return points;
    // 1-based letters, upper-cased, as the rule is written
    auto letter = [word](size_t p) {
        return static_cast<unsigned char>(UpperCaseChar(word[p - 1]));
    };
    for (size_t p = 2; p <= word.size() - 2; ++p) {
        if (p > limit && !points.empty() && points.back() > limit) break;
        const bool vowelHere = IsVowel(letter(p));
        const bool vowelNext = IsVowel(letter(p + 1));
        const bool vowelAfter = IsVowel(letter(p + 2));
        if ((vowelHere && (vowelNext || vowelAfter)) ||
            (!vowelHere && !vowelNext && !IsSign(letter(p + 1)) && vowelAfter))
            points.push_back(p);
    }
    return points;
}

}  // namespace report
