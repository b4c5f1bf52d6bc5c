#include "report/core/designer/design_clipboard.h"

#include <memory>
#include <vector>

#include "report/core/base/json.h"
#include "report/core/designer/design_document.h"
#include "report/core/file/template_json.h"
#include "report/core/model/model_state.h"
#include "report/core/model/page.h"
#include "report/core/model/report.h"

namespace report {

std::string SelectionToJson(const DesignDocument& document) {
    JsonValue objects = JsonValue::Array();
    for (const View* view : document.SelectedViews())
        objects.Push(ObjectToJson(*view));
    JsonValue root = JsonValue::Object();
    root.Set("objects", std::move(objects));
    return WriteJson(root);
}

size_t PasteJson(DesignDocument& document, const std::string& text, int32_t offset) {
    const JsonValue root = ParseJson(text);
    const JsonValue* list = &root;
    std::string where = "objects";
    if (root.GetKind() == JsonValue::Kind::Object) {
        if (const JsonValue* objects = root.Find("objects")) {
            list = objects;
        } else {
            where.clear();
        }
    }
    Page& page = document.CurrentPage();
    ViewFactory& factory = page.State().factory;
    // Every object is read before any is added: bad text adds nothing.
    std::vector<std::unique_ptr<View>> created;
    if (where.empty()) {
        created.push_back(JsonToObject(root, factory, "objet"));
    } else {
        const auto& items = list->AsArray(where);
        for (size_t i = 0; i < items.size(); ++i)
            created.push_back(
                JsonToObject(items[i], factory, where + "[" + std::to_string(i) + "]"));
    }
    if (created.empty()) return 0;
    bool onCopied = false;
    for (const auto& object : page.Objects()) {
        const View& first = *created.front();
        if (object->objectType == first.objectType && object->left == first.left &&
            object->top == first.top && object->width == first.width &&
            object->height == first.height)
            onCopied = true;
    }
    std::vector<size_t> indexes;
    Report* report = page.OwnerReport();
    for (auto& view : created) {
        if (onCopied) {
            view->left += offset;
            view->top += offset;
        }
        const bool taken =
            view->name.empty() || (report != nullptr ? report->FindObject(view->name)
                                                     : page.FindObject(view->name)) != nullptr;
        indexes.push_back(page.ObjectCount());
        View& added = page.Add(std::move(view));
        if (taken) added.GenerateName();
    }
    document.Select(indexes);
    return indexes.size();
}

}  // namespace report
