#include "report/core/base/engine_strings.h"

#include <map>
#include <string>

#include "report/core/base/split_lines.h"
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

    Table() {
        for (const std::string& text : SplitLines(EngineStringSource())) {
            const std::string_view line = text;
            if (line.empty() || line.front() == '#') continue;
            const size_t equals = line.find('=');
            if (equals == std::string_view::npos) continue;
            texts[std::string(line.substr(0, equals))] =
                Utf8ToCp1252(Unescape(line.substr(equals + 1)));
        }
    }
};

const Table& TheTable() {
    static Table table;
    return table;
}

}  // namespace

MissingEngineText::MissingEngineText(std::string_view key)
    : std::logic_error("Texte absent de la table des textes du moteur : " + std::string(key)) {}

const std::string& EngineText(std::string_view name) {
    const Table& table = TheTable();
    if (auto it = table.texts.find(name); it != table.texts.end()) return it->second;
    throw MissingEngineText(name);
}

const std::string& EngineText(int number) {
    return EngineText(std::string_view(std::to_string(number)));
}

bool HasEngineText(std::string_view key) {
    return TheTable().texts.count(key) > 0;
}

}  // namespace report
