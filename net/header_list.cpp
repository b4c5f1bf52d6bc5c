#include "net/header_list.h"

#include <algorithm>

#include "net/protocol_text.h"

namespace net {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The line split at blanks so that no piece passes `width` where a blank allows it; pieces
// after the first begin with a space. The name part (up to `keep`) is never split.
std::vector<std::string> Fold(const std::string& line, std::size_t keep, std::size_t width) {
    std::vector<std::string> pieces;
    std::string rest = line;
    std::size_t protectedPrefix = keep;
    while (rest.size() > width) {
        std::size_t cut = std::string::npos;
        for (std::size_t i = std::min(width, rest.size() - 1); i > protectedPrefix; --i) {
            if (IsBlank(rest[i])) {
                cut = i;
                break;
            }
        }
        if (cut == std::string::npos) {
            // No blank early enough: cut at the first blank after the width, if any.
            for (std::size_t i = width + 1; i < rest.size(); ++i) {
                if (IsBlank(rest[i])) {
                    cut = i;
                    break;
                }
            }
        }
        if (cut == std::string::npos) break;
        std::size_t pieceEnd = cut;
        while (pieceEnd > protectedPrefix && IsBlank(rest[pieceEnd - 1]))
            --pieceEnd;
        pieces.push_back(rest.substr(0, pieceEnd));
        std::string continuation(1, ' ');
        continuation += TrimLeadingBlanks(std::string_view(rest).substr(cut));
        rest = std::move(continuation);
        protectedPrefix = 1;
    }
    pieces.push_back(rest);
    return pieces;
}

}  // namespace

void HeaderList::Delete(std::size_t index) {
    if (index < lines_.size()) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::string HeaderList::NameAt(std::size_t index) const {
    const std::string& line = lines_.at(index);
    std::size_t colon = line.find(':');
    if (colon == std::string::npos) return {};
    std::string name = line.substr(0, colon);
    std::transform(name.begin(), name.end(), name.begin(), UpperAscii);
    return name;
}

int HeaderList::FindName(std::string_view name) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view line = lines_[i];
        std::size_t colon = line.find(':');
        if (colon != std::string_view::npos && SameAscii(line.substr(0, colon), name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string HeaderList::ValueAt(std::size_t index) const {
    const std::string& line = lines_.at(index);
    std::size_t colon = line.find(':');
    std::string value = colon == std::string::npos ? std::string() : line.substr(colon + 1);
    for (std::size_t next = index + 1; next < lines_.size(); ++next) {
        const std::string& continuation = lines_[next];
        if (continuation.empty() || !IsBlank(continuation.front())) break;
        if (value.empty() || !IsBlank(value.back())) value += ' ';
        value += TrimLeadingBlanks(continuation);
    }
    return std::string(TrimLeadingBlanks(value));
}

std::string HeaderList::ValueOf(std::string_view name) const {
    int index = FindName(name);
    return index < 0 ? std::string() : ValueAt(static_cast<std::size_t>(index));
}

std::size_t HeaderList::ContinuationCount(std::size_t index) const {
    std::size_t count = 0;
    for (std::size_t next = index + 1; next < lines_.size(); ++next, ++count) {
        if (lines_[next].empty() || !IsBlank(lines_[next].front())) break;
    }
    return count;
}

void HeaderList::PutValue(std::string_view name, std::string_view value) {
    int found = FindName(name);
    std::size_t at = lines_.size();
    if (found >= 0) {
        at = static_cast<std::size_t>(found);
        auto first = lines_.begin() + static_cast<std::ptrdiff_t>(at);
        lines_.erase(first, first + 1 + static_cast<std::ptrdiff_t>(ContinuationCount(at)));
    }
    if (value.empty()) return;
    std::string line = std::string(name) + ": " + std::string(value);
    std::vector<std::string> pieces = Fold(line, name.size() + 1, kFoldWidth);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), pieces.begin(), pieces.end());
}

}  // namespace net
