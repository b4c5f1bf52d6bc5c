#include "report/core/data/data_dictionary.h"

#include <algorithm>
#include <array>

#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/data/component.h"
#include "report/core/data/component_registry.h"
#include "report/core/data/data_access.h"
#include "report/core/data/dataset.h"
#include "report/core/data/db_dataset.h"

namespace report {
namespace {

constexpr int16_t kCurrentMarker = -2;
constexpr int16_t kOlderCurrentMarker = -1;

// System variables named by index in the old dictionary layout (index 1 has no name).
constexpr std::array<const char*, 9> kOldSystemVariables = {
    "PAGE#", "", "DATE", "TIME", "LINE#", "LINETHROUGH#", "COLUMN#", "CURRENT#", "TOTALPAGES"};

std::string TextOf(const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) return std::string();
    try {
        return value.ToText();
    } catch (const EngineError&) {
        return std::string();
    }
}

void ReadPairs(EngineStream& s, Variables& list) {
    int32_t count = 0;
    ReadI32(s, count);
    Variables::Loader loader(list);
    for (int32_t i = 0; i < count && !s.AtEnd(); ++i) {
        std::string name = ReadString(s, kCurrentStreamVersion);
        std::string value = ReadString(s, kCurrentStreamVersion);
        loader.Set(name, Variant::String(std::move(value)));
    }
}

void WritePairs(EngineStream& s, const Variables& list) {
    WriteI32(s, list.Count());
    for (int i = 0; i < list.Count(); ++i) {
        WriteString(s, list.NameAt(i));
        WriteString(s, TextOf(list.ValueAt(i)));
    }
}

// Keeps the pairs for which `keep` holds, in their order, in one pass: deleting pairs one by
// one would move the rest of the list each time. The names must be distinct (as read).
template <typename Keep>
void KeepPairs(Variables& list, Keep keep) {
    Variables kept;
    {
        Variables::Loader loader(kept);
        for (int i = 0; i < list.Count(); ++i) {
            if (keep(list.NameAt(i), list.ValueAt(i))) loader.Set(list.NameAt(i), list.ValueAt(i));
        }
    }
    list = std::move(kept);
}

// Splits at the last full stop outside double quotes.
bool SplitSourceAndField(std::string_view name, std::string& source, std::string& field) {
    bool quoted = false;
    size_t stop = std::string_view::npos;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '"')
            quoted = !quoted;
        else if (name[i] == '.' && !quoted)
            stop = i;
    }
    if (stop == std::string_view::npos) return false;
    source = std::string(name.substr(0, stop));
    field = std::string(name.substr(stop + 1));
    return true;
}

}  // namespace

void DataDictionary::ClearDictionary() {
    variables.Clear();
    fieldAliases.Clear();
    bandSourceAliases.Clear();
}

Variant DataDictionary::GetValue(std::string_view name) {
    if (auto it = fieldCache.find(UpperCase(name)); it != fieldCache.end() && it->second.dataSet) {
        return ReadFieldValue(*it->second.dataSet, it->second.field);
    }
    if (variables.Find(name) >= 0) {
        if (hooks.globalVariables != nullptr && hooks.globalVariables->Find(name) >= 0) {
            return hooks.globalVariables->Get(name);
        }
        const Variant& value = variables.Get(name);
        if (value.IsString() && !value.StringValue().empty() && hooks.evaluate) {
            return hooks.evaluate(value.StringValue());
        }
        return value;
    }
    return Variant::Null();
}

bool DataDictionary::IsVariable(std::string_view name) {
    const std::string key = UpperCase(name);
    if (fieldCache.count(key) != 0) return true;
    DataAccess* defaultDataSet = hooks.defaultDataSet ? hooks.defaultDataSet() : nullptr;
    if (variables.Find(name) >= 0) {
        const std::string value = TextOf(variables.Get(name));
        if (value.find('.') != std::string::npos) {
            if (auto field = ResolveField(value, defaultDataSet)) fieldCache[key] = *field;
        }
        return true;
    }
    std::string reference(name);
    std::string source, field;
    if (SplitSourceAndField(name, source, field)) {
        source = RealSourceName(source);
        // A field alias stands for the real field name stored in the key "source.field".
        const std::string prefix = UpperCase(source) + ".";
        for (int i = 0; i < fieldAliases.Count(); ++i) {
            const std::string& aliasKey = fieldAliases.NameAt(i);
            if (UpperCase(aliasKey).rfind(prefix, 0) == 0 &&
                SameText(TextOf(fieldAliases.ValueAt(i)), field)) {
                field = aliasKey.substr(prefix.size());
                break;
            }
        }
        if (field.size() > 2 && field.front() == '"' && field.back() == '"')
            field = field.substr(1, field.size() - 2);
        reference = source + ".\"" + field + "\"";
    }
    if (auto resolved = ResolveField(reference, defaultDataSet)) {
        fieldCache[key] = *resolved;
        return true;
    }
    return false;
}

std::string DataDictionary::RealSourceName(std::string_view alias) const {
    for (int i = 0; i < fieldAliases.Count(); ++i) {
        if (SameText(TextOf(fieldAliases.ValueAt(i)), alias)) return fieldAliases.NameAt(i);
    }
    return std::string(alias);
}

std::string DataDictionary::RealBandSourceName(std::string_view alias) const {
    for (int i = 0; i < bandSourceAliases.Count(); ++i) {
        if (SameText(TextOf(bandSourceAliases.ValueAt(i)), alias))
            return bandSourceAliases.NameAt(i);
    }
    return std::string(alias);
}

std::string DataDictionary::AliasOf(std::string_view name) const {
    if (fieldAliases.Find(name) >= 0) return TextOf(fieldAliases.Get(name));
    if (bandSourceAliases.Find(name) >= 0) return TextOf(bandSourceAliases.Get(name));
    return std::string(name);
}

std::vector<std::string> DataDictionary::Categories() const {
    std::vector<std::string> categories;
    for (int i = 0; i < variables.Count(); ++i) {
        const std::string& name = variables.NameAt(i);
        if (!name.empty() && name.front() == ' ') categories.push_back(name.substr(1));
    }
    return categories;
}

std::vector<std::string> DataDictionary::VariablesOf(std::string_view category) const {
    std::vector<std::string> names;
    std::string header(1, ' ');
    header.append(category);
    int i = 0;
    while (i < variables.Count() && !SameText(variables.NameAt(i), header))
        ++i;
    for (++i; i < variables.Count(); ++i) {
        const std::string& name = variables.NameAt(i);
        if (name.empty() || name.front() == ' ') break;
        names.push_back(name);
    }
    return names;
}

bool DataDictionary::IsHiddenSource(std::string_view name) const {
    for (const std::string& entry : hiddenSources) {
        if (!entry.empty() && entry.back() == '*') {
            const std::string_view prefix(entry.data(), entry.size() - 1);
            if (name.size() >= prefix.size() && SameText(name.substr(0, prefix.size()), prefix))
                return true;
        } else if (SameText(entry, name)) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> DataDictionary::ListOf(const ComponentRegistry& registry,
                                                bool dataSources) const {
    const Variables& aliases = dataSources ? bandSourceAliases : fieldAliases;
    std::vector<std::string> names;
    for (const ComponentOwner* form : registry.Forms()) {
        for (const Component* component : form->Components()) {
            const bool wanted = dataSources ? dynamic_cast<const Dataset*>(component) != nullptr
                                            : dynamic_cast<const DataAccess*>(component) != nullptr;
            if (!wanted || IsHiddenSource(component->Name())) continue;
            if (aliases.IsEmpty()) {
                names.push_back(component->Name());
            } else if (aliases.Find(component->Name()) >= 0) {
                names.push_back(TextOf(aliases.Get(component->Name())));
            }
        }
    }
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    return names;
}

std::vector<std::string> DataDictionary::DataSourceList(const ComponentRegistry& registry) const {
    return ListOf(registry, true);
}

std::vector<std::string> DataDictionary::DataSetList(const ComponentRegistry& registry) const {
    return ListOf(registry, false);
}

DataAccess* DataDictionary::FindDataSet(std::string_view sourceName) const {
    if (!hooks.findComponent) return nullptr;
    Component* component = nullptr;
    try {
        component = hooks.findComponent(sourceName);
    } catch (const EngineError&) {
        return nullptr;
    }
    if (auto* access = dynamic_cast<DataAccess*>(component)) return access;
    if (auto* link = dynamic_cast<DataAccessLink*>(component)) return link->dataSet;
    if (auto* dataset = dynamic_cast<DBDataset*>(component)) {
        try {
            return &dataset->GetDataSet();
        } catch (const EngineError&) {
            return nullptr;
        }
    }
    return nullptr;
}

std::optional<FieldReference> DataDictionary::ResolveField(std::string_view text,
                                                           DataAccess* defaultDataSet) const {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        if (start < text.size() && text[start] == '"') {
            parts.emplace_back(text.substr(start));
            break;
        }
        const size_t stop = text.find('.', start);
        const size_t quote = text.find('"', start);
        if (stop == std::string_view::npos || (quote != std::string_view::npos && quote < stop)) {
            parts.emplace_back(text.substr(start));
            break;
        }
        parts.emplace_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    DataAccess* dataSet = nullptr;
    if (parts.size() == 1) {
        dataSet = defaultDataSet;
    } else if (parts.size() <= 4) {
        std::string source;
        for (size_t i = 0; i + 1 < parts.size(); ++i)
            source += (i > 0 ? "." : "") + parts[i];
        dataSet = FindDataSet(source);
    }
    if (dataSet == nullptr) return std::nullopt;
    std::string field = parts.back();
    if (field.size() > 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
    if (!dataSet->HasField(field)) return std::nullopt;
    return FieldReference{dataSet, field};
}

void DataDictionary::LoadDictionary(EngineStream& s, int version) {
    ClearDictionary();
    int16_t marker = 0;
    const size_t start = s.Position();
    ReadI16(s, marker);
    if (marker == kCurrentMarker || marker == kOlderCurrentMarker) {
        ReadPairs(s, variables);
        ReadPairs(s, fieldAliases);
        ReadPairs(s, bandSourceAliases);
    } else {
        s.Seek(start);
        int32_t count = 0;
        if (!ReadI32(s, count)) throw StreamReadError();
        // The scratch table of aliases is the field alias list, emptied at the end.
        {
            Variables::Loader aliases(fieldAliases);
            Variables::Loader names(variables);
            for (int32_t i = 0; i < count && !s.AtEnd(); ++i) {
                uint8_t kind = 0;
                int32_t index = 0;
                ReadU8(s, kind);
                ReadI32(s, index);
                const std::string a = ReadShortString(s);
                const std::string b = ReadShortString(s);
                const std::string c = ReadShortString(s);
                std::string value;
                if (kind == 2) {
                    value = index == 1 ? b
                            : index >= 0 && index < static_cast<int32_t>(kOldSystemVariables.size())
                                ? kOldSystemVariables[index]
                                : "";
                } else if (kind == 1) {
                    value = a + ".\"" + b + "\"";
                }
                std::string key(1, ' ');
                key += c;
                aliases.Set(key, Variant::String(value));
            }
            for (const std::string& line : ReadMemo(s, version)) {
                if (!line.empty() && line.front() != ' ') {
                    names.Set(line, Variant::String({}));
                } else {
                    names.Set(line, Variant::String(TextOf(aliases.Get(line))));
                }
            }
        }
        fieldAliases.Clear();
    }
    // The old convention marked variables with a leading space; in memory categories have it.
    if (!variables.IsEmpty() && !variables.NameAt(0).empty() &&
        variables.NameAt(0).front() != ' ') {
        for (int i = 0; i < variables.Count(); ++i) {
            const std::string& name = variables.NameAt(i);
            std::string toggled;
            if (!name.empty() && name.front() == ' ') {
                toggled = name.substr(1);
            } else {
                toggled.assign(1, ' ');
                toggled += name;
            }
            variables.SetNameAt(i, toggled);
        }
        // The toggle can give two names one spelling (the empty name and two spaces both become
        // " "): merge them as reading the saved list back would, so a save loads as it was.
        Variables merged;
        {
            Variables::Loader loader(merged);
            for (int i = 0; i < variables.Count(); ++i)
                loader.Set(variables.NameAt(i), variables.ValueAt(i));
        }
        variables = std::move(merged);
    }
    if (marker == kOlderCurrentMarker) {
        KeepPairs(fieldAliases, [this](const std::string& name, const Variant& value) {
            return !TextOf(value).empty() || ResolveField(name, nullptr);
        });
        KeepPairs(bandSourceAliases,
                  [](const std::string&, const Variant& value) { return !TextOf(value).empty(); });
    }
}

void DataDictionary::SaveDictionary(EngineStream& s) const {
    WriteI16(s, kCurrentMarker);
    WritePairs(s, variables);
    WritePairs(s, fieldAliases);
    WritePairs(s, bandSourceAliases);
}

void DataDictionary::LoadDictionaryFile(const std::string& path) {
    EngineStream s = EngineStream::FromFile(path);
    s.Skip(1);
    LoadDictionary(s, kCurrentStreamVersion);
}

void DataDictionary::SaveDictionaryFile(const std::string& path) const {
    EngineStream s;
    WriteU8(s, kCurrentStreamVersion);
    SaveDictionary(s);
    s.SaveToFile(path);
}

}  // namespace report
