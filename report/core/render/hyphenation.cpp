#include "report/core/render/hyphenation.h"

#include <cstring>

#include "report/core/base/text.h"

namespace report {

namespace {

constexpr uint8_t kRussianCharset = 204;

// ---- Cyrillic (code page 1251, upper case) ----

// Ё А Е И О У Ы Э Ю Я
bool IsCyrillicVowel(unsigned char c) {
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
bool IsCyrillicSign(unsigned char c) {
    return c == 0xDA || c == 0xDC;
}

std::vector<size_t> CyrillicPoints(std::string_view word, size_t limit) {
    std::vector<size_t> points;
    // 1-based letters, upper-cased, as the rule is written
    auto letter = [word](size_t p) {
        return static_cast<unsigned char>(UpperCaseChar(word[p - 1]));
    };
    for (size_t p = 2; p <= word.size() - 2; ++p) {
        if (p > limit && !points.empty() && points.back() > limit) break;
        const bool vowelHere = IsCyrillicVowel(letter(p));
        const bool vowelNext = IsCyrillicVowel(letter(p + 1));
        const bool vowelAfter = IsCyrillicVowel(letter(p + 2));
        if ((vowelHere && (vowelNext || vowelAfter)) ||
            (!vowelHere && !vowelNext && !IsCyrillicSign(letter(p + 1)) && vowelAfter))
            points.push_back(p);
    }
    return points;
}

// ---- French (Windows-1252, upper-cased) ----

// A E I O U Y and their accented forms, Æ, Œ, Ÿ.
bool IsFrenchVowel(unsigned char c) {
    if (c != 0 && std::strchr("AEIOUY", c) != nullptr) return true;
    switch (c) {
        case 0x8C:  // Œ
        case 0x9F:  // Ÿ
        case 0xC0:  // À
        case 0xC2:  // Â
        case 0xC4:  // Ä
        case 0xC6:  // Æ
        case 0xC8:  // È
        case 0xC9:  // É
        case 0xCA:  // Ê
        case 0xCB:  // Ë
        case 0xCE:  // Î
        case 0xCF:  // Ï
        case 0xD4:  // Ô
        case 0xD6:  // Ö
        case 0xD9:  // Ù
        case 0xDB:  // Û
        case 0xDC:  // Ü
            return true;
        default:
            return false;
    }
}

bool IsFrenchConsonant(unsigned char c) {
    return (c >= 'A' && c <= 'Z' && !IsFrenchVowel(c)) || c == 0xC7 /* Ç */ || c == 0xD1 /* Ñ */;
}

// Two consonants that open a syllable together: b, c, d, f, g, k, p, t, v before l or r, and
// ch, ph, th, gn.
bool OpensSyllable(unsigned char first, unsigned char second) {
    if (second == 'L' || second == 'R') return std::strchr("BCDFGKPTV", first) != nullptr;
    if (second == 'H') return first == 'C' || first == 'P' || first == 'T';
    return first == 'G' && second == 'N';
}

constexpr size_t kLettersBefore = 2;
constexpr size_t kLettersAfter = 3;

std::vector<size_t> FrenchPoints(std::string_view word, size_t limit) {
    std::vector<size_t> points;
    const size_t n = word.size();
    auto at = [word](size_t i) { return static_cast<unsigned char>(UpperCaseChar(word[i])); };
    // Each run of consonants between two vowels holds one break.
    size_t i = 0;
    while (i < n && !IsFrenchVowel(at(i)))
        ++i;
    while (i < n) {
        // `i` is a vowel: the consonants after it run to `end`
        size_t end = i + 1;
        while (end < n && IsFrenchConsonant(at(end)))
            ++end;
        const size_t first = i + 1;  // the run's first consonant
        if (end >= n || !IsFrenchVowel(at(end))) {
            // the word ends, or something other than a letter stops the run
            i = end;
            while (i < n && !IsFrenchVowel(at(i)))
                ++i;
            continue;
        }
        const size_t run = end - first;
        size_t brk = 0;  // letters before the break; 0 for none
        if (run == 1) {
            if (at(first) != 'X') brk = first;
        } else if (run >= 2) {
            brk = OpensSyllable(at(end - 2), at(end - 1)) ? end - 2 : end - 1;
        }
        if (brk >= kLettersBefore && n - brk >= kLettersAfter) {
            points.push_back(brk);
            if (brk > limit) break;
        }
        i = end;
    }
    return points;
}

}  // namespace

Alphabet AlphabetOfCharset(uint8_t charset) {
    return charset == kRussianCharset ? Alphabet::Cyrillic : Alphabet::Latin;
}

std::vector<size_t> HyphenationPoints(std::string_view word, Alphabet alphabet, size_t limit) {
    if (word.size() <= 4) return {};
    return alphabet == Alphabet::Cyrillic ? CyrillicPoints(word, limit) : FrenchPoints(word, limit);
}

}  // namespace report
