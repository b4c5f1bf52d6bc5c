// Test doubles of the building engine's side: a BuildContext whose state tests set directly,
// and report objects with by-name properties.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "report/core/base/text.h"
#include "report/core/language/build_context.h"
#include "report/core/language/property_access.h"

namespace report::testing {

// An object with named properties (case-insensitive) and a method log.
class FakeObject : public PropertyAccess {
  public:
    std::map<std::string, Variant> properties;  // upper-case names
    std::vector<std::string> methodCalls;       // "NAME|p1|p2|p3"
    std::vector<std::string> lines;             // answers GET/SETINDEXPROPERTY

    void Add(const std::string& name, Variant value) { properties[UpperCase(name)] = value; }

    bool HasProperty(std::string_view name) const override {
        return properties.count(UpperCase(name)) > 0;
    }
    Variant GetPropertyValue(std::string_view name) const override {
        const auto it = properties.find(UpperCase(name));
        return it == properties.end() ? Variant() : it->second;
    }
    void SetPropertyValue(std::string_view name, const Variant& value) override {
        if (HasProperty(name)) properties[UpperCase(name)] = value;
    }
    bool CallMethod(std::string_view name, const Variant& p1, const Variant& p2, const Variant& p3,
                    Variant& result) override {
        auto text = [](const Variant& v) { return v.IsNull() ? std::string("null") : v.ToText(); };
        methodCalls.push_back(std::string(name) + "|" + text(p1) + "|" + text(p2) + "|" + text(p3));
        if (name == "GETINDEXPROPERTY") {
            const int index = p2.ToInt();
            if (index < 0 || index >= static_cast<int>(lines.size())) return false;
            result = Variant::String(lines[index]);
            return true;
        }
        if (name == "SETINDEXPROPERTY") {
            const int index = p2.ToInt();
            if (index >= 0 && index < static_cast<int>(lines.size())) lines[index] = p3.ToText();
            return true;
        }
        if (name == "HIDE") {
            result = Variant::String("hidden");
            return true;
        }
        return false;
    }
};

class FakeBuildContext : public BuildContext {
  public:
    // Host handlers; unset means the report has none.
    std::function<void(const std::string&, Variant&)> getValue;
    std::function<void(const std::string&, const Variant&, const Variant&, const Variant&,
                       Variant&)>
        userFunction;

    // Dictionary: recognised names and their values.
    std::map<std::string, Variant> dictionary;
    Variables dictionaryVariables;

    int pageIndex = 0, totalPages = 0, lineNumber = 0, lineThrough = 0, column = 0, record = 0;
    bool finalPass = true;
    int curY = 0, bottomY = 0, rightX = 0;
    DateTime runDate = 0, runTime = 0;

    bool hasView = false;
    ViewFormat viewFormat;
    bool viewIsText = true;
    std::vector<std::string> memo;
    std::vector<std::string> expandedMemo;
    int viewWidth = 0;
    std::function<int(const std::vector<std::string>&)> measure;

    std::map<std::string, FakeObject*> objects;  // upper-case names
    std::map<int, FakeObject*> pages;
    FakeObject* current = nullptr;

    bool dialogPage = false;
    int modalResult = 0;
    std::vector<std::string> progress;
    std::vector<std::string> statements;  // STOPREPORT, NEWPAGE, NEWCOLUMN, SHOWBAND name

    // Aggregates.
    std::string bandName;
    int bandType = -1;
    bool sharesVertical = false;
    bool linking = false;  // a link target exists
    std::string targetName;
    int targetType = -1;
    std::vector<std::pair<std::string, Variant>> registered;
    int crossColumn = 0;  // > 0: a cross column prints
    std::string horizontalBand;
    bool hasAggregateBand = false;
    std::map<std::string, Variant> aggregateValues;
    std::vector<std::string> aggregateReads;

    void OnGetValue(const std::string& name, Variant& value) override {
        if (getValue) getValue(name, value);
    }
    void OnUserFunction(const std::string& name, const Variant& p1, const Variant& p2,
                        const Variant& p3, Variant& val) override {
        if (userFunction) userFunction(name, p1, p2, p3, val);
    }
    bool IsDictionaryName(const std::string& name) override {
        return dictionary.count(UpperCase(name)) > 0;
    }
    Variant DictionaryValue(const std::string& name) override {
        return dictionary.at(UpperCase(name));
    }
    bool SetDictionaryVariable(const std::string& name, const Variant& value) override {
        const auto it = dictionary.find(UpperCase(name));
        if (it == dictionary.end()) return false;
        it->second = value;
        return true;
    }
    const Variables* DictionaryVariables() const override { return &dictionaryVariables; }

    int PageIndex() const override { return pageIndex; }
    int TotalPages() const override { return totalPages; }
    DateTime RunDate() const override { return runDate; }
    DateTime RunTime() const override { return runTime; }
    int LineNumber() const override { return lineNumber; }
    int LineThrough() const override { return lineThrough; }
    int ColumnNumber() const override { return column; }
    int RecordNumber() const override { return record; }
    bool FinalPass() const override { return finalPass; }
    int CurY() const override { return curY; }
    void SetCurY(int y) override { curY = y; }
    int BottomY() const override { return bottomY; }
    int RightX() const override { return rightX; }

    bool HasCurrentView() const override { return hasView; }
    ViewFormat CurrentViewFormat() const override { return viewFormat; }
    bool CurrentViewIsText() const override { return viewIsText; }
    std::vector<std::string> CurrentViewMemo() const override { return memo; }
    void SetCurrentViewExpandedMemo(std::vector<std::string> lines) override {
        expandedMemo = std::move(lines);
    }
    int MeasureCurrentViewText() override { return measure ? measure(expandedMemo) : 0; }
    int CurrentViewWidth() const override { return viewWidth; }

    PropertyAccess* FindObject(const std::string& name) override {
        const auto it = objects.find(UpperCase(name));
        return it == objects.end() ? nullptr : it->second;
    }
    PropertyAccess* TemplatePage(int number) override {
        const auto it = pages.find(number);
        return it == pages.end() ? nullptr : it->second;
    }
    PropertyAccess* CurrentObject() override { return current; }

    bool SetModalResult(int result) override {
        if (!dialogPage) return false;
        modalResult = result;
        return true;
    }
    void ShowProgress(const std::string& text) override { progress.push_back(text); }
    void StopReport() override { statements.push_back("STOPREPORT"); }
    void NewPage() override { statements.push_back("NEWPAGE"); }
    void NewColumn() override { statements.push_back("NEWCOLUMN"); }
    void ShowBand(const std::string& name) override { statements.push_back("SHOWBAND " + name); }

    std::string CurrentBandName() const override { return bandName; }
    int CurrentBandType() const override { return bandType; }
    bool CurrentBandSharesVerticalObjects() const override { return sharesVertical; }
    bool AggregateTarget(std::string& name, int& type) const override {
        if (!linking) return false;
        name = targetName;
        type = targetType;
        return true;
    }
    void RegisterAggregate(const std::string& key, const Variant& initial) override {
        registered.emplace_back(key, initial);
    }
    bool CrossColumn(int& number, std::string& band) const override {
        if (crossColumn <= 0) return false;
        number = crossColumn;
        band = horizontalBand;
        return true;
    }
    bool HasAggregateBand(AggregateHolder) const override { return hasAggregateBand; }
    Variant AggregateValue(AggregateHolder holder, const std::string& key,
                           const std::string&) override {
        aggregateReads.push_back((holder == AggregateHolder::HorizontalBand ? "H:" : "C:") + key);
        const auto it = aggregateValues.find(key);
        return it == aggregateValues.end() ? Variant::Int32(0) : it->second;
    }
};

// A value as `etat eval` prints it: kind, blank, text form.
inline std::string Show(const Variant& v) {
    return std::string(KindName(v.Kind())) + " " + (v.IsNull() ? std::string() : v.ToText());
}

// Shows an aggregate key with its separators as '|' and its code as a number.
inline std::string ShowKey(const std::string& key) {
    std::string shown;
    for (const char c : key) {
        if (c == '\x01') {
            shown += '|';
        } else if (c >= 11 && c <= 15) {
            shown += std::to_string(c);
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace report::testing
