// Reading the members of one object of a template's JSON form: each member is asked for by
// name, and a member that nobody asked for is refused when the object is finished.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "report/core/base/json.h"

namespace report {

// Raises JsonError with the engine text `textKey`, whose %s are filled with `where` and
// `found` (both UTF-8).
[[noreturn]] void RefuseJson(std::string_view textKey, const std::string& where,
                             const std::string& found = {});

class JsonMembers {
  public:
    // `where` (UTF-8) names the object in messages: "pages[0].objects[2]". A member named
    // twice is refused here.
    JsonMembers(const JsonValue& value, std::string where);

    // The member, or nullptr; either way it counts as asked for.
    const JsonValue* Get(const std::string& key);
    // The member, which must be an object when present.
    const JsonValue* Object(const std::string& key);
    std::string Where(const std::string& key) const { return where_ + "." + key; }
    const std::string& Where() const { return where_; }

    // Refuses the first member that was never asked for.
    void Finish() const;

  private:
    std::string where_;
    std::map<std::string, const JsonValue*> members_;
    std::set<std::string> asked_;
};

}  // namespace report
