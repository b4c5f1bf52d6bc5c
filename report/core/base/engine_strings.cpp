#include "report/core/base/engine_strings.h"

#include <map>
#include <string>

#include "report/core/base/text.h"

std::string_view EngineStringSource();  // generated from res/strings.txt

namespace report {
namespace {

std::string Unescape(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            const char next = raw[i + 1];
            if (next == 'n' || next == 't' || next == '\\' || next == 'r') {
                out += next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : '\\';
                ++i;
                continue;
            }
        }
        out += raw[i];
    }
    return out;
}

struct Table {
    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, std::string, std::less<>> missing;  // answers for absent keys

    Table() {
        const std::string_view source = EngineStringSource();
        size_t start = 0;
        while (start < source.size()) {
            size_t end = source.find('\n', start);
            if (end == std::string_view::npos) end = source.size();
            std::string_view line = source.substr(start, end - start);
            start = end + 1;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (line.empty() || line.front() == '#') continue;
            const size_t equals = line.find('=');
            if (equals == std::string_view::npos) continue;
            texts[std::string(line.substr(0, equals))] =
                Utf8ToCp1252(Unescape(line.substr(equals + 1)));
        }
    }
};

Table& TheTable() {
    static Table table;
    return table;
}

}  // namespace

const std::string& EngineText(std::string_view name) {
    Table& table = TheTable();
    if (auto it = table.texts.find(name); it != table.texts.end()) return it->second;
    auto [it, inserted] = table.missing.try_emplace(std::string(name), std::string(name));
    return it->second;
}

const std::string& EngineText(int number) {
    Table& table = TheTable();
    const std::string key = std::to_string(number);
    if (auto it = table.texts.find(key); it != table.texts.end()) return it->second;
    auto [it, inserted] = table.missing.try_emplace(key, "#" + key);
    return it->second;
}

bool HasEngineText(std::string_view key) {
    return TheTable().texts.count(key) > 0;
}

}  // namespace report
