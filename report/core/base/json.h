// A small JSON reader and writer for the engine's text forms (`etat dump` and `etat compile`).
// Strings are UTF-8 here; numbers keep their text so that integers and floats read back exactly.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/core/base/errors.h"

namespace report {

// A JSON document that does not parse, or a value of the wrong kind: the message says where.
class JsonError : public EngineError {
  public:
    using EngineError::EngineError;
};

class JsonValue {
  public:
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    using Member = std::pair<std::string, JsonValue>;

    JsonValue() = default;
    static JsonValue Boolean(bool value);
    static JsonValue Number(int64_t value);
    // The shortest text that reads back as the same float.
    static JsonValue Number(float value);
    static JsonValue NumberText(std::string text);
    static JsonValue String(std::string utf8);
    static JsonValue Array();
    static JsonValue Object();

    Kind GetKind() const { return kind_; }
    bool IsNull() const { return kind_ == Kind::Null; }

    // Typed reads; JsonError when the kind or the range does not fit. `what` names the value
    // in the message.
    bool AsBool(std::string_view what) const;
    int64_t AsInt(std::string_view what, int64_t min, int64_t max) const;
    float AsFloat(std::string_view what) const;
    const std::string& AsString(std::string_view what) const;
    const std::vector<JsonValue>& AsArray(std::string_view what) const;
    const std::vector<Member>& AsObject(std::string_view what) const;

    // Arrays
    void Push(JsonValue value) { items_.push_back(std::move(value)); }
    // Objects: members keep their order; Set appends.
    void Set(std::string key, JsonValue value) {
        members_.emplace_back(std::move(key), std::move(value));
    }
    const JsonValue* Find(std::string_view key) const;

  private:
    Kind kind_ = Kind::Null;
    bool boolean_ = false;
    std::string text_;  // number text or string
    std::vector<JsonValue> items_;
    std::vector<Member> members_;
};

// Parses a whole document (UTF-8). JsonError with line and column on bad input; nesting is
// limited so that hostile input cannot exhaust the stack.
JsonValue ParseJson(std::string_view text);

// Writes with two-space indentation; arrays of scalars stay on one line when short.
std::string WriteJson(const JsonValue& value);

}  // namespace report
