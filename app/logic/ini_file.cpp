#include "app/logic/ini_file.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/logic/app_texts.h"
#include "app/logic/file_io.h"
#include "app/logic/text_lines.h"
#include "report/core/base/file_replace.h"
#include "report/core/base/text.h"

namespace app {
namespace {

// The name of a section line ("[name]", blanks allowed around), or nothing for other lines.
std::optional<std::string> SectionName(std::string_view line) {
    const std::string trimmed = report::Trim(line);
    if (trimmed.empty() || trimmed.front() != '[') return std::nullopt;
    const size_t close = trimmed.find(']');
    const size_t end = close == std::string::npos ? trimmed.size() : close;
    return report::Trim(std::string_view(trimmed).substr(1, end - 1));
}

// The key of a "key=value" line, or nothing when the line has no "=".
std::optional<std::string> KeyName(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return report::Trim(line.substr(0, equals));
}

std::string ValueOf(std::string_view line) {
    std::string value = report::Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

std::vector<std::string> ReadLines(const std::string& path) {
    std::string content;
    if (!TryReadWholeFile(path, content)) return {};
    return SplitLines(content);
}

// Where a key lives: the index of its section line and of its own line (when present), and the
// index after which a new key of that section goes.
struct KeyPlace {
    std::optional<size_t> section;
    std::optional<size_t> key;
    size_t lastOfSection = 0;
};

KeyPlace FindKey(const std::vector<std::string>& lines, std::string_view section,
                 std::string_view key) {
    KeyPlace place;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (const auto name = SectionName(lines[i])) {
            if (place.section) break;  // the section ended
            if (report::SameText(*name, section)) {
                place.section = i;
                place.lastOfSection = i;
            }
            continue;
        }
        if (!place.section) continue;
        if (!report::Trim(lines[i]).empty()) place.lastOfSection = i;
        if (!place.key) {
            const auto name = KeyName(lines[i]);
            if (name && report::SameText(*name, key)) place.key = i;
        }
    }
    return place;
}

std::optional<int> ParseInteger(std::string_view text) {
    int base = 10;
    bool negative = false;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
        if (text[0] == '-' || text[0] == '+') return std::nullopt;
    } else if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (negative) value = -value;
    // Hexadecimal values up to 0xFFFFFFFF wrap as 32-bit integers, as the profile functions do.
    if (base == 16 && value >= 0 && value <= 0xFFFFFFFFLL) return static_cast<int>(value);
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

IniWriteError::IniWriteError(const std::string& path)
    : report::EngineError(report::FormatMessage(AppText(texts::kIniWriteError), {path})) {}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const std::vector<std::string> lines = ReadLines(path_);
    const KeyPlace place = FindKey(lines, section, key);
    if (!place.key) return std::string(fallback);
    return ValueOf(lines[*place.key]);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
    return ParseInteger(ReadString(section, key, "")).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

report::DateTime IniFile::ReadDate(std::string_view section, std::string_view key,
                                   report::DateTime fallback) const {
    const std::string text = ReadString(section, key, "");
    report::DateTime value = 0;
    if (text.empty() || !report::TryStrToDate(text, value)) return fallback;
    return value;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::vector<std::string> lines = ReadLines(path_);
    const KeyPlace place = FindKey(lines, section, key);
    std::string keyLine(key);
    keyLine.append(1, '=').append(value);
    if (place.key) {
        lines[*place.key] = std::move(keyLine);
    } else if (place.section) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place.lastOfSection + 1),
                     std::move(keyLine));
    } else {
        std::string sectionLine(1, '[');
        sectionLine.append(section).append(1, ']');
        lines.push_back(std::move(sectionLine));
        lines.push_back(std::move(keyLine));
    }
    if (!report::ReplaceFileContent(path_, JoinLinesCrLf(lines))) {
        throw IniWriteError(PathForMessage(path_));
    }
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteDate(std::string_view section, std::string_view key, report::DateTime value) {
    WriteString(section, key, report::DateToStr(value));
}

}  // namespace app
