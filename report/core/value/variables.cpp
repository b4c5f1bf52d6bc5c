#include "report/core/value/variables.h"

#include <algorithm>

#include "report/core/base/text.h"

namespace report {

namespace {

const Variant& NullValue() {
    static const Variant null = Variant::Null();
    return null;
}

const Variant& ZeroValue() {
    static const Variant zero = Variant::Int32(0);
    return zero;
}

}  // namespace

int Variables::LowerBound(std::string_view key) const {
    const auto it = std::lower_bound(
        entries_.begin(), entries_.end(), key,
        [](const Entry& entry, std::string_view k) { return std::string_view(entry.key) < k; });
    return static_cast<int>(it - entries_.begin());
}

int Variables::FindKey(std::string_view key) const {
    if (sorted_) {
        const int index = LowerBound(key);
        return index < Count() && entries_[index].key == key ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (entries_[i].key == key) return i;
    return -1;
}

int Variables::Find(std::string_view name) const {
    return FindKey(UpperCase(name));
}

const Variant& Variables::Get(std::string_view name) const {
    const Variant* value = FindValue(name);
    return value ? *value : NullValue();
}

Variant* Variables::FindValue(std::string_view name) {
    const int index = Find(name);
    return index >= 0 ? &entries_[index].value : nullptr;
}

const Variant* Variables::FindValue(std::string_view name) const {
    const int index = Find(name);
    return index >= 0 ? &entries_[index].value : nullptr;
}

int Variables::Set(std::string_view name, Variant value) {
    std::string key = UpperCase(name);
    int index = sorted_ ? LowerBound(key) : FindKey(key);
    if (index >= 0 && index < Count() && entries_[index].key == key) {
        entries_[index].value = std::move(value);
        return index;
    }
    if (!sorted_) index = Count();
    entries_.insert(entries_.begin() + index,
                    Entry{std::string(name), std::move(key), std::move(value)});
    return index;
}

const std::string& Variables::NameAt(int index) const {
    static const std::string empty;
    return InRange(index) ? entries_[index].name : empty;
}

const Variant& Variables::ValueAt(int index) const {
    return InRange(index) ? entries_[index].value : ZeroValue();
}

void Variables::SetNameAt(int index, std::string_view name) {
    if (!InRange(index)) return;
    std::string key = UpperCase(name);
    if (!sorted_) {
        entries_[index].name = std::string(name);
        entries_[index].key = std::move(key);
        return;
    }
    const int other = FindKey(key);
    if (other >= 0 && other != index) return;
    Entry entry = std::move(entries_[index]);
    entries_.erase(entries_.begin() + index);
    entry.name = std::string(name);
    entry.key = std::move(key);
    const int place = LowerBound(entry.key);
    entries_.insert(entries_.begin() + place, std::move(entry));
}

void Variables::SetValueAt(int index, Variant value) {
    if (InRange(index)) entries_[index].value = std::move(value);
}

void Variables::InsertAt(int position, std::string_view name) {
    const int index = Set(name, Variant::Int32(0));
    if (sorted_) return;
    const int target = std::clamp(position, 0, Count() - 1);
    if (target < index)
        std::rotate(entries_.begin() + target, entries_.begin() + index,
                    entries_.begin() + index + 1);
    else if (target > index)
        std::rotate(entries_.begin() + index, entries_.begin() + index + 1,
                    entries_.begin() + target + 1);
}

void Variables::DeleteAt(int index) {
    if (InRange(index)) entries_.erase(entries_.begin() + index);
}

bool Variables::Delete(std::string_view name) {
    const int index = Find(name);
    if (index < 0) return false;
    DeleteAt(index);
    return true;
}

void Variables::SetSorted(bool sorted) {
    if (sorted && !sorted_)
        std::stable_sort(entries_.begin(), entries_.end(),
                         [](const Entry& a, const Entry& b) { return a.key < b.key; });
    sorted_ = sorted;
}

void Variables::CopyFrom(const Variables& other) {
    if (&other == this) return;
    Clear();
    entries_.reserve(other.entries_.size());
    Loader loader(*this);
    for (const Entry& entry : other.entries_)
        loader.Set(entry.name, entry.value);
}

Variables::Loader::Loader(Variables& list) : list_(list) {
    if (list_.sorted_) return;
    for (int i = 0; i < list_.Count(); ++i)
        firstIndex_.try_emplace(list_.entries_[i].key, i);
}

int Variables::Loader::Set(std::string_view name, Variant value) {
    if (list_.sorted_) return list_.Set(name, std::move(value));
    std::string key = UpperCase(name);
    const auto [it, added] = firstIndex_.try_emplace(key, list_.Count());
    if (added) {
        list_.entries_.push_back(Entry{std::string(name), std::move(key), std::move(value)});
    } else {
        list_.entries_[it->second].value = std::move(value);
    }
    return it->second;
}

const Variant& Variables::Loader::Get(std::string_view name) const {
    if (list_.sorted_) return list_.Get(name);
    const auto it = firstIndex_.find(UpperCase(name));
    return it != firstIndex_.end() ? list_.entries_[it->second].value : NullValue();
}

}  // namespace report
