#include "report/core/file/json_members.h"

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/core/file/file_texts.h"

namespace report {

void RefuseJson(std::string_view textKey, const std::string& where, const std::string& found) {
    const std::string where1252 = Utf8ToCp1252(where);
    const std::string found1252 = Utf8ToCp1252(found);
    throw JsonError(FormatMessage(EngineText(textKey), {where1252, found1252}));
}

JsonMembers::JsonMembers(const JsonValue& value, std::string where) : where_(std::move(where)) {
    for (const auto& member : value.AsObject(where_)) {
        if (!members_.emplace(member.first, &member.second).second)
            RefuseJson(file_text::kJsonDuplicateMember, where_, member.first);
    }
}

const JsonValue* JsonMembers::Get(const std::string& key) {
    asked_.insert(key);
    auto it = members_.find(key);
    return it == members_.end() ? nullptr : it->second;
}

const JsonValue* JsonMembers::Object(const std::string& key) {
    const JsonValue* value = Get(key);
    if (value != nullptr) value->AsObject(Where(key));
    return value;
}

void JsonMembers::Finish() const {
    for (const auto& [key, value] : members_) {
        if (asked_.count(key) == 0) RefuseJson(file_text::kJsonUnknownMember, where_, key);
    }
}

}  // namespace report
