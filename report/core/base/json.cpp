#include "report/core/base/json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "report/core/base/text.h"

namespace report {
namespace {

constexpr int kMaxDepth = 200;

const char* KindName(JsonValue::Kind kind) {
    switch (kind) {
        case JsonValue::Kind::Null:
            return "null";
        case JsonValue::Kind::Boolean:
            return "booléen";
        case JsonValue::Kind::Number:
            return "nombre";
        case JsonValue::Kind::String:
            return "texte";
        case JsonValue::Kind::Array:
            return "liste";
        case JsonValue::Kind::Object:
            return "objet";
    }
    return "?";
}

[[noreturn]] void WrongKind(std::string_view what, const char* expected, JsonValue::Kind got) {
    throw JsonError(Utf8ToCp1252(std::string(what) + " : " + expected + " attendu, " +
                                 KindName(got) + " trouvé"));
}

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    JsonValue Document() {
        SkipBlanks();
        JsonValue value = Value(0);
        SkipBlanks();
        if (pos_ != text_.size()) Fail("texte en trop après la fin du document");
        return value;
    }

  private:
    [[noreturn]] void Fail(const std::string& message) const {
        int line = 1, column = 1;
        for (size_t i = 0; i < pos_ && i < text_.size(); ++i) {
            if (text_[i] == '\n') {
                ++line;
                column = 1;
            } else if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) {
                ++column;
            }
        }
        throw JsonError(Utf8ToCp1252("JSON invalide, ligne " + std::to_string(line) + ", colonne " +
                                     std::to_string(column) + " : " + message));
    }

    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                       text_[pos_] == '\n' || text_[pos_] == '\r')) {
            ++pos_;
        }
    }

    bool Take(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return false;
        pos_ += word.size();
        return true;
    }

    JsonValue Value(int depth) {
        if (depth > kMaxDepth) Fail("imbrication trop profonde");
        if (pos_ >= text_.size()) Fail("valeur attendue");
        const char c = text_[pos_];
        if (c == '{') return ObjectValue(depth);
        if (c == '[') return ArrayValue(depth);
        if (c == '"') return JsonValue::String(StringText());
        if (Take("true")) return JsonValue::Boolean(true);
        if (Take("false")) return JsonValue::Boolean(false);
        if (Take("null")) return JsonValue();
        if (c == '-' || (c >= '0' && c <= '9')) return NumberValue();
        Fail("valeur attendue");
    }

    JsonValue ObjectValue(int depth) {
        ++pos_;
        JsonValue object = JsonValue::Object();
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            return object;
        }
        while (true) {
            SkipBlanks();
            if (pos_ >= text_.size() || text_[pos_] != '"') Fail("nom de membre attendu");
            std::string key = StringText();
            SkipBlanks();
            if (!Take(":")) Fail("« : » attendu");
            SkipBlanks();
            object.Set(std::move(key), Value(depth + 1));
            SkipBlanks();
            if (Take(",")) continue;
            if (Take("}")) return object;
            Fail("« , » ou « } » attendu");
        }
    }

    JsonValue ArrayValue(int depth) {
        ++pos_;
        JsonValue array = JsonValue::Array();
        SkipBlanks();
        if (Take("]")) return array;
        while (true) {
            SkipBlanks();
            array.Push(Value(depth + 1));
            SkipBlanks();
            if (Take(",")) continue;
            if (Take("]")) return array;
            Fail("« , » ou « ] » attendu");
        }
    }

    JsonValue NumberValue() {
        const size_t start = pos_;
        if (text_[pos_] == '-') ++pos_;
        auto digits = [&] {
            const size_t from = pos_;
            while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
                ++pos_;
            return pos_ > from;
        };
        if (!digits()) Fail("nombre invalide");
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (!digits()) Fail("nombre invalide");
        }
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            ++pos_;
            if (pos_ < text_.size() && (text_[pos_] == '+' || text_[pos_] == '-')) ++pos_;
            if (!digits()) Fail("nombre invalide");
        }
        return JsonValue::NumberText(std::string(text_.substr(start, pos_ - start)));
    }

    unsigned HexQuad() {
        if (pos_ + 4 > text_.size()) Fail("échappement \\u incomplet");
        unsigned value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[pos_++];
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= static_cast<unsigned>(c - 'A' + 10);
            else
                Fail("échappement \\u invalide");
        }
        return value;
    }

    std::string StringText() {
        ++pos_;  // opening quote
        std::string out;
        while (true) {
            if (pos_ >= text_.size()) Fail("texte non terminé");
            const char c = text_[pos_++];
            if (c == '"') break;
            if (static_cast<unsigned char>(c) < 0x20) Fail("caractère de contrôle dans un texte");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) Fail("texte non terminé");
            const char e = text_[pos_++];
            switch (e) {
                case '"':
                    out += '"';
                    break;
                case '\\':
                    out += '\\';
                    break;
                case '/':
                    out += '/';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    unsigned cp = HexQuad();
                    if (cp >= 0xD800 && cp < 0xDC00 && Take("\\u")) {
                        const unsigned low = HexQuad();
                        if (low >= 0xDC00 && low < 0xE000)
                            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                        else
                            Fail("paire de substitution invalide");
                    }
                    AppendUtf8(out, cp);
                    break;
                }
                default:
                    Fail("échappement invalide");
            }
        }
        if (!IsValidUtf8(out)) Fail("texte qui n'est pas de l'UTF-8");
        return out;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

void WriteString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", u);
                    out += escape;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

bool IsScalar(const JsonValue& value) {
    return value.GetKind() != JsonValue::Kind::Array && value.GetKind() != JsonValue::Kind::Object;
}

void Write(std::string& out, const JsonValue& value, int indent);

void WriteScalar(std::string& out, const JsonValue& value) {
    switch (value.GetKind()) {
        case JsonValue::Kind::Null:
            out += "null";
            break;
        case JsonValue::Kind::Boolean:
            out += value.AsBool("") ? "true" : "false";
            break;
        case JsonValue::Kind::Number:
            out += value.AsString("");
            break;
        case JsonValue::Kind::String:
            WriteString(out, value.AsString(""));
            break;
        default:
            break;
    }
}

void Write(std::string& out, const JsonValue& value, int indent) {
    const std::string pad(static_cast<size_t>(indent + 2), ' ');
    const std::string closePad(static_cast<size_t>(indent), ' ');
    if (value.GetKind() == JsonValue::Kind::Array) {
        const auto& items = value.AsArray("");
        if (items.empty()) {
            out += "[]";
            return;
        }
        bool inlineItems = items.size() <= 8;
        for (const JsonValue& item : items) {
            if (!IsScalar(item) || item.GetKind() == JsonValue::Kind::String) inlineItems = false;
        }
        if (inlineItems) {
            out += '[';
            for (size_t i = 0; i < items.size(); ++i) {
                if (i > 0) out += ", ";
                WriteScalar(out, items[i]);
            }
            out += ']';
            return;
        }
        out += "[\n";
        for (size_t i = 0; i < items.size(); ++i) {
            out += pad;
            Write(out, items[i], indent + 2);
            out += i + 1 < items.size() ? ",\n" : "\n";
        }
        out += closePad + "]";
        return;
    }
    if (value.GetKind() == JsonValue::Kind::Object) {
        const auto& members = value.AsObject("");
        if (members.empty()) {
            out += "{}";
            return;
        }
        out += "{\n";
        for (size_t i = 0; i < members.size(); ++i) {
            out += pad;
            WriteString(out, members[i].first);
            out += ": ";
            Write(out, members[i].second, indent + 2);
            out += i + 1 < members.size() ? ",\n" : "\n";
        }
        out += closePad + "}";
        return;
    }
    WriteScalar(out, value);
}

}  // namespace

JsonValue JsonValue::Boolean(bool value) {
    JsonValue v;
    v.kind_ = Kind::Boolean;
    v.boolean_ = value;
    return v;
}

JsonValue JsonValue::Number(int64_t value) {
    return NumberText(std::to_string(value));
}

JsonValue JsonValue::Number(float value) {
    if (!std::isfinite(value)) return NumberText(std::string(1, '0'));
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return NumberText(std::string(buffer, static_cast<size_t>(result.ptr - buffer)));
}

JsonValue JsonValue::NumberText(std::string text) {
    JsonValue v;
    v.kind_ = Kind::Number;
    v.text_ = std::move(text);
    return v;
}

JsonValue JsonValue::String(std::string utf8) {
    JsonValue v;
    v.kind_ = Kind::String;
    v.text_ = std::move(utf8);
    return v;
}

JsonValue JsonValue::Array() {
    JsonValue v;
    v.kind_ = Kind::Array;
    return v;
}

JsonValue JsonValue::Object() {
    JsonValue v;
    v.kind_ = Kind::Object;
    return v;
}

bool JsonValue::AsBool(std::string_view what) const {
    if (kind_ != Kind::Boolean) WrongKind(what, "booléen", kind_);
    return boolean_;
}

int64_t JsonValue::AsInt(std::string_view what, int64_t min, int64_t max) const {
    if (kind_ != Kind::Number) WrongKind(what, "nombre entier", kind_);
    int64_t value = 0;
    const auto result = std::from_chars(text_.data(), text_.data() + text_.size(), value);
    if (result.ec != std::errc() || result.ptr != text_.data() + text_.size() || value < min ||
        value > max) {
        throw JsonError(Utf8ToCp1252(std::string(what) + " : nombre entier entre " +
                                     std::to_string(min) + " et " + std::to_string(max) +
                                     " attendu, " + text_ + " trouvé"));
    }
    return value;
}

float JsonValue::AsFloat(std::string_view what) const {
    if (kind_ != Kind::Number) WrongKind(what, "nombre", kind_);
    float value = 0;
    const auto result = std::from_chars(text_.data(), text_.data() + text_.size(), value);
    if (result.ec != std::errc() || result.ptr != text_.data() + text_.size()) {
        throw JsonError(Utf8ToCp1252(std::string(what) + " : nombre invalide " + text_));
    }
    return value;
}

const std::string& JsonValue::AsString(std::string_view what) const {
    if (kind_ != Kind::String && kind_ != Kind::Number) WrongKind(what, "texte", kind_);
    return text_;
}

const std::vector<JsonValue>& JsonValue::AsArray(std::string_view what) const {
    if (kind_ != Kind::Array) WrongKind(what, "liste", kind_);
    return items_;
}

const std::vector<JsonValue::Member>& JsonValue::AsObject(std::string_view what) const {
    if (kind_ != Kind::Object) WrongKind(what, "objet", kind_);
    return members_;
}

const JsonValue* JsonValue::Find(std::string_view key) const {
    for (const Member& member : members_) {
        if (member.first == key) return &member.second;
    }
    return nullptr;
}

JsonValue ParseJson(std::string_view text) {
    return Parser(text).Document();
}

std::string WriteJson(const JsonValue& value) {
    std::string out;
    Write(out, value, 0);
    out += '\n';
    return out;
}

}  // namespace report
