#include "report/core/file/template_json.h"

#include <optional>
#include <string>

#include "report/core/base/engine_strings.h"
#include "report/core/base/text.h"
#include "report/core/file/field_json.h"
#include "report/core/file/file_texts.h"
#include "report/core/file/json_members.h"
#include "report/core/file/template_writer.h"
#include "report/core/model/model_state.h"
#include "report/core/model/report.h"

namespace report {
namespace {

// Whether the form holds a field: template-only fields are not in the compact form of objects
// of prepared pages.
bool InForm(const StoredField& field, bool compact) {
    return !field.json.empty() && !(compact && field.templateOnly);
}

// Writes the fields of `owner` in table order; the fields of one group form one sub-object.
void WriteFields(const PropertyObject& owner, bool compact, JsonValue& into) {
    std::string_view groupName;
    JsonValue group;
    const auto closeGroup = [&] {
        if (!groupName.empty()) into.Set(std::string(groupName), std::move(group));
        groupName = {};
    };
    for (const StoredField& field : owner.StoredFields()) {
        if (!InForm(field, compact)) continue;
        if (field.jsonGroup != groupName) {
            closeGroup();
            groupName = field.jsonGroup;
            group = JsonValue::Object();
        }
        (groupName.empty() ? into : group).Set(std::string(field.json), FieldToJson(field, owner));
    }
    closeGroup();
}

// Reads the fields of `owner` that `members` holds; a group's sub-object is finished (its
// unknown members refused) once its fields are read.
void ReadFields(JsonMembers& members, bool compact, PropertyObject& owner) {
    std::string_view groupName;
    std::optional<JsonMembers> group;
    for (const StoredField& field : owner.StoredFields()) {
        if (!InForm(field, compact)) continue;
        if (field.jsonGroup != groupName) {
            if (group) group->Finish();
            group.reset();
            groupName = field.jsonGroup;
            const std::string key(groupName);
            if (!groupName.empty()) {
                if (const JsonValue* value = members.Object(key))
                    group.emplace(*value, members.Where(key));
            }
        }
        if (!groupName.empty() && !group) continue;  // the form leaves the group out
        JsonMembers& from = group ? *group : members;
        const std::string key(field.json);
        if (const JsonValue* value = from.Get(key))
            FieldFromJson(field, *value, from.Where(key), owner);
    }
    if (group) group->Finish();
}

int ObjectTypeOfClass(const std::string& className, const std::string& where) {
    static const std::pair<const char*, int> kClasses[] = {
        {"MemoView", object_type::kMemo},
        {"PictureView", object_type::kPicture},
        {"BandView", object_type::kBand},
        {"SubReportView", object_type::kSubReport},
        {"LineView", object_type::kLine}};
    for (const auto& [name, type] : kClasses) {
        if (className == name) return type;
    }
    RefuseJson(file_text::kJsonUnknownClass, where, className);
}

// The object named by the required member "class".
std::unique_ptr<View> CreateObjectOfClass(JsonMembers& members, ViewFactory& factory) {
    const JsonValue* classValue = members.Get("class");
    if (classValue == nullptr) RefuseJson(file_text::kJsonMissingClass, members.Where());
    const std::string where = members.Where("class");
    return factory.CreateViewByType(ObjectTypeOfClass(classValue->AsString(where), where));
}

JsonValue PairsToJson(const Variables& list) {
    JsonValue array = JsonValue::Array();
    for (int i = 0; i < list.Count(); ++i) {
        JsonValue pair = JsonValue::Array();
        pair.Push(JsonValue::String(Cp1252ToUtf8(list.NameAt(i))));
        const Variant& value = list.ValueAt(i);
        std::string text;
        if (!value.IsNull() && !value.IsEmpty()) {
            try {
                text = value.ToText();
            } catch (const EngineError&) {
            }
        }
        pair.Push(JsonValue::String(Cp1252ToUtf8(text)));
        array.Push(std::move(pair));
    }
    return array;
}

void ReadPairs(JsonMembers& members, const std::string& key, Variables& list) {
    const JsonValue* value = members.Get(key);
    if (value == nullptr) return;
    const std::string where = members.Where(key);
    for (const JsonValue& pair : value->AsArray(where)) {
        const auto& items = pair.AsArray(where);
        if (items.size() != 2) RefuseJson(file_text::kJsonBadPairs, where);
        list.Set(Utf8ToCp1252(items[0].AsString(where)),
                 Variant::String(Utf8ToCp1252(items[1].AsString(where))));
    }
}

JsonValue PageToJson(const Page& page) {
    JsonValue json = JsonValue::Object();
    WriteFields(page, false, json);
    JsonValue objects = JsonValue::Array();
    for (const auto& view : page.Objects())
        objects.Push(ObjectToJson(*view));
    json.Set("objects", std::move(objects));
    return json;
}

void ReadPage(const JsonValue& json, Report& report, const std::string& where) {
    JsonMembers members(json, where);
    Page& page = report.AddPage();
    ReadFields(members, false, page);
    if (page.name.empty()) page.GenerateName();
    if (const JsonValue* objects = members.Get("objects")) {
        const auto& list = objects->AsArray(members.Where("objects"));
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string place = where + ".objects[" + std::to_string(i) + "]";
            page.Add(JsonToObject(list[i], report.State().factory, place));
        }
    }
    members.Finish();
}

// Reads a header member that no field table describes.
void ReadHeaderValue(JsonMembers& members, const std::string& key, StoredFieldKind kind,
                     FieldRef value) {
    if (const JsonValue* json = members.Get(key))
        ValueFromJson(kind, *json, members.Where(key), value);
}

}  // namespace

JsonValue ObjectToJson(const View& view) {
    JsonValue json = JsonValue::Object();
    json.Set("class", JsonValue::String(view.ClassName()));
    WriteFields(view, view.inPreparedPage, json);
    return json;
}

std::unique_ptr<View> JsonToObject(const JsonValue& json, ViewFactory& factory,
                                   const std::string& where, bool inPreparedPage) {
    JsonMembers members(json, where);
    std::unique_ptr<View> view = CreateObjectOfClass(members, factory);
    view->inPreparedPage = inPreparedPage;
    ReadFields(members, inPreparedPage, *view);
    members.Finish();
    return view;
}

JsonValue TemplateToJson(const Report& report) {
    JsonValue root = JsonValue::Object();
    root.Set("version", JsonValue::Number(static_cast<int64_t>(kCurrentStreamVersion)));
    root.Set("ignoreStoredPrinter",
             JsonValue::Number(static_cast<int64_t>(report.ignoreStoredPrinter)));
    root.Set("twoPass", JsonValue::Number(static_cast<int64_t>(report.twoPass)));
    root.Set("printerName", JsonValue::String(Cp1252ToUtf8(report.printerName)));
    JsonValue pages = JsonValue::Array();
    for (const auto& page : report.pages)
        pages.Push(PageToJson(*page));
    root.Set("pages", std::move(pages));
    JsonValue dictionary = JsonValue::Object();
    dictionary.Set("variables", PairsToJson(report.dictionary.variables));
    dictionary.Set("fieldAliases", PairsToJson(report.dictionary.fieldAliases));
    dictionary.Set("bandSourceAliases", PairsToJson(report.dictionary.bandSourceAliases));
    root.Set("dictionary", std::move(dictionary));
    return root;
}

void JsonToTemplate(const JsonValue& json, Report& report) {
    JsonMembers root(json, Cp1252ToUtf8(EngineText(file_text::kJsonRoot)));
    if (const JsonValue* version = root.Get("version"))
        version->AsInt(root.Where("version"), 21, kCurrentStreamVersion);
    report.pages.Clear();
    report.dictionary.ClearDictionary();
    ReadHeaderValue(root, "ignoreStoredPrinter", StoredFieldKind::Integer,
                    &report.ignoreStoredPrinter);
    ReadHeaderValue(root, "twoPass", StoredFieldKind::Integer, &report.twoPass);
    ReadHeaderValue(root, "printerName", StoredFieldKind::Text, &report.printerName);
    if (const JsonValue* pages = root.Get("pages")) {
        const auto& list = pages->AsArray(root.Where("pages"));
        for (size_t i = 0; i < list.size(); ++i)
            ReadPage(list[i], report, "pages[" + std::to_string(i) + "]");
    }
    // Objects the user left without a name get one, as the designer would give.
    for (const auto& page : report.pages) {
        for (const auto& view : page->Objects()) {
            if (view->name.empty()) view->GenerateName();
        }
    }
    if (const JsonValue* dictionary = root.Object("dictionary")) {
        JsonMembers members(*dictionary, root.Where("dictionary"));
        ReadPairs(members, "variables", report.dictionary.variables);
        ReadPairs(members, "fieldAliases", report.dictionary.fieldAliases);
        ReadPairs(members, "bandSourceAliases", report.dictionary.bandSourceAliases);
        members.Finish();
    }
    root.Finish();
    // A form the template file cannot hold is refused here rather than when it is saved.
    CheckTemplateWritable(report);
}

}  // namespace report
