#include "report/core/file/template_json.h"

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <map>
#include <set>
#include <string>

#include "report/core/base/base64.h"
#include "report/core/base/text.h"
#include "report/core/file/template_writer.h"
#include "report/core/model/band_view.h"
#include "report/core/model/memo_view.h"
#include "report/core/model/model_state.h"
#include "report/core/model/picture_view.h"
#include "report/core/model/report.h"
#include "report/core/model/subreport_view.h"

namespace report {
namespace {

constexpr const char* kBandTypeNames[kBandTypeCount] = {"ReportTitle",
                                                        "ReportSummary",
                                                        "PageHeader",
                                                        "PageFooter",
                                                        "MasterHeader",
                                                        "MasterData",
                                                        "MasterFooter",
                                                        "DetailHeader",
                                                        "DetailData",
                                                        "DetailFooter",
                                                        "SubDetailHeader",
                                                        "SubDetailData",
                                                        "SubDetailFooter",
                                                        "Overlay",
                                                        "ColumnHeader",
                                                        "ColumnFooter",
                                                        "GroupHeader",
                                                        "GroupFooter",
                                                        "CrossHeader",
                                                        "CrossData",
                                                        "CrossFooter",
                                                        "Child",
                                                        "None"};
constexpr const char* kGraphicKinds[] = {"none", "bitmap", "metafile", "icon"};

JsonValue Text(const std::string& cp1252) {
    return JsonValue::String(Cp1252ToUtf8(cp1252));
}
JsonValue Int(int64_t value) {
    return JsonValue::Number(value);
}

JsonValue Color(int32_t color) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08X", static_cast<uint32_t>(color));
    return JsonValue::String(buffer);
}

JsonValue Lines(const StringList& lines) {
    JsonValue array = JsonValue::Array();
    for (const std::string& line : lines)
        array.Push(Text(line));
    return array;
}

JsonValue Pairs(const Variables& list) {
    JsonValue array = JsonValue::Array();
    for (int i = 0; i < list.Count(); ++i) {
        JsonValue pair = JsonValue::Array();
        pair.Push(Text(list.NameAt(i)));
        const Variant& value = list.ValueAt(i);
        std::string text;
        if (!value.IsNull() && !value.IsEmpty()) {
            try {
                text = value.ToText();
            } catch (const EngineError&) {
            }
        }
        pair.Push(Text(text));
        array.Push(std::move(pair));
    }
    return array;
}

JsonValue ObjectJson(const View& view) {
    JsonValue o = JsonValue::Object();
    o.Set("class", JsonValue::String(view.ClassName()));
    o.Set("name", Text(view.name));
    o.Set("recordSubVersion", Int(view.recordSubVersion));
    o.Set("left", Int(view.left));
    o.Set("top", Int(view.top));
    o.Set("width", Int(view.width));
    o.Set("height", Int(view.height));
    o.Set("flags", Int(view.flags));
    if (const auto* band = dynamic_cast<const BandView*>(&view)) {
        o.Set("bandType", view.frameTyp < kBandTypeCount
                              ? JsonValue::String(kBandTypeNames[view.frameTyp])
                              : Int(view.frameTyp));
        (void)band;
    } else {
        o.Set("frameTyp", Int(view.frameTyp));
    }
    o.Set("frameWidth", JsonValue::Number(view.frameWidth));
    o.Set("frameColor", Color(view.frameColor));
    o.Set("frameStyle", Int(view.frameStyle));
    o.Set("fillColor", Color(view.fillColor));
    o.Set("formatCode", Int(view.formatCode));
    o.Set("formatPattern", Text(view.formatPattern));
    o.Set("memo", Lines(view.memo));
    o.Set("script", Lines(view.script));
    o.Set("visible", Int(view.visible));
    o.Set("restrictions", Int(view.restrictions));
    o.Set("tag", Text(view.tag));
    o.Set("gapX", Int(view.gapX));
    o.Set("gapY", Int(view.gapY));
    o.Set("bandAlign", Int(view.bandAlign));
    if (const auto* memo = dynamic_cast<const MemoView*>(&view)) {
        JsonValue font = JsonValue::Object();
        font.Set("name", Text(memo->font.name));
        font.Set("size", Int(memo->font.size));
        font.Set("style", Int(memo->font.style));
        font.Set("color", Color(memo->font.color));
        font.Set("charset", Int(memo->font.charset));
        o.Set("font", std::move(font));
        o.Set("alignment", Int(memo->alignment));
        JsonValue highlight = JsonValue::Object();
        highlight.Set("fontStyle", Int(memo->highlight.fontStyle));
        highlight.Set("fontColor", Color(memo->highlight.fontColor));
        highlight.Set("fillColor", Color(memo->highlight.fillColor));
        highlight.Set("condition", Text(memo->highlight.condition));
        o.Set("highlight", std::move(highlight));
        o.Set("lineSpacing", Int(memo->lineSpacing));
        o.Set("charSpacing", Int(memo->charSpacing));
    } else if (const auto* band = dynamic_cast<const BandView*>(&view)) {
        o.Set("childBand", Text(band->childBand));
        o.Set("columns", Int(band->columns));
        o.Set("columnWidth", Int(band->columnWidth));
        o.Set("columnGap", Int(band->columnGap));
        o.Set("newColumnAfter", Int(band->newColumnAfter));
        o.Set("master", Text(band->master));
    } else if (const auto* picture = dynamic_cast<const PictureView*>(&view)) {
        o.Set("blobType", Int(picture->blobType));
        JsonValue graphic = JsonValue::Object();
        graphic.Set("kind",
                    JsonValue::String(kGraphicKinds[static_cast<int>(picture->picture.kind) & 3]));
        graphic.Set("data", JsonValue::String(EncodeBase64(picture->picture.data)));
        o.Set("picture", std::move(graphic));
    } else if (const auto* subReport = dynamic_cast<const SubReportView*>(&view)) {
        o.Set("subReportPage", Int(subReport->subReportPage));
    }
    return o;
}

JsonValue PageJson(const Page& page) {
    JsonValue p = JsonValue::Object();
    p.Set("name", Text(page.name));
    p.Set("type", Int(page.type));
    p.Set("size", Int(page.size));
    p.Set("width", Int(page.width));
    p.Set("height", Int(page.height));
    p.Set("orientation", Int(page.orientation));
    p.Set("paperBin", Int(page.paperBin));
    p.Set("leftMargin", Int(page.leftMargin));
    p.Set("topMargin", Int(page.topMargin));
    p.Set("rightMargin", Int(page.rightMargin));
    p.Set("bottomMargin", Int(page.bottomMargin));
    p.Set("printToPrevPage", Int(page.printToPrevPage));
    p.Set("marginsActive", Int(page.marginsActive));
    p.Set("columns", Int(page.columns));
    p.Set("columnGap", Int(page.columnGap));
    p.Set("borderStyle", Int(page.borderStyle));
    p.Set("caption", Text(page.caption));
    p.Set("color", Color(page.color));
    p.Set("dialogLeft", Int(page.dialogLeft));
    p.Set("dialogTop", Int(page.dialogTop));
    p.Set("dialogWidth", Int(page.dialogWidth));
    p.Set("dialogHeight", Int(page.dialogHeight));
    p.Set("position", Int(page.position));
    p.Set("script", Lines(page.script));
    JsonValue objects = JsonValue::Array();
    for (const auto& view : page.Objects())
        objects.Push(ObjectJson(*view));
    p.Set("objects", std::move(objects));
    return p;
}

// Reads the members of one JSON object, refusing the ones nobody asked for.
class Members {
  public:
    Members(const JsonValue& value, std::string where) : where_(std::move(where)) {
        for (const auto& member : value.AsObject(where_)) {
            if (!members_.emplace(member.first, &member.second).second) {
                throw JsonError(
                    Utf8ToCp1252(where_ + " : membre « " + member.first + " » en double"));
            }
        }
    }

    const JsonValue* Get(const std::string& key) {
        used_.insert(key);
        auto it = members_.find(key);
        return it == members_.end() ? nullptr : it->second;
    }
    std::string Where(const std::string& key) const { return where_ + "." + key; }

    template <typename T>
    void Int(const std::string& key, T& field) {
        if (const JsonValue* v = Get(key)) {
            field = static_cast<T>(
                v->AsInt(Where(key), std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
        }
    }
    void Text(const std::string& key, std::string& field) {
        if (const JsonValue* v = Get(key)) field = Utf8ToCp1252(v->AsString(Where(key)));
    }
    void Float(const std::string& key, float& field) {
        if (const JsonValue* v = Get(key)) field = v->AsFloat(Where(key));
    }
    void Color(const std::string& key, int32_t& field) {
        const JsonValue* v = Get(key);
        if (v == nullptr) return;
        if (v->GetKind() == JsonValue::Kind::Number) {
            field = static_cast<int32_t>(v->AsInt(Where(key), INT32_MIN, UINT32_MAX));
            return;
        }
        const std::string& text = v->AsString(Where(key));
        const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
        char* end = nullptr;
        const unsigned long long value = hex ? std::strtoull(text.c_str() + 2, &end, 16) : 0;
        if (!hex || end == nullptr || *end != '\0' || value > UINT32_MAX) {
            throw JsonError(Utf8ToCp1252(Where(key) + " : couleur 0xRRGGBB ou nombre attendu, « " +
                                         text + " » trouvé"));
        }
        field = static_cast<int32_t>(static_cast<uint32_t>(value));
    }
    void Lines(const std::string& key, StringList& field) {
        const JsonValue* v = Get(key);
        if (v == nullptr) return;
        field.clear();
        for (const JsonValue& line : v->AsArray(Where(key)))
            field.push_back(Utf8ToCp1252(line.AsString(Where(key))));
    }
    const JsonValue* Object(const std::string& key) {
        const JsonValue* v = Get(key);
        if (v != nullptr) v->AsObject(Where(key));
        return v;
    }

    // Raises JsonError for a member that was never read.
    void Finish() const {
        for (const auto& [key, value] : members_) {
            if (used_.count(key) == 0)
                throw JsonError(Utf8ToCp1252(where_ + " : membre inconnu « " + key + " »"));
        }
    }

  private:
    std::string where_;
    std::map<std::string, const JsonValue*> members_;
    std::set<std::string> used_;
};

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
    throw JsonError(Utf8ToCp1252(where + ".class : classe inconnue « " + className + " »"));
}

void ReadObject(const JsonValue& json, Page& page, ModelState& state, const std::string& where) {
    Members m(json, where);
    const JsonValue* classValue = m.Get("class");
    if (classValue == nullptr)
        throw JsonError(Utf8ToCp1252(where + " : membre « class » manquant"));
    const int type = ObjectTypeOfClass(classValue->AsString(m.Where("class")), where);
    View& view = page.Add(state.factory.CreateViewByType(type));
    m.Text("name", view.name);
    m.Int("recordSubVersion", view.recordSubVersion);
    m.Int("left", view.left);
    m.Int("top", view.top);
    m.Int("width", view.width);
    m.Int("height", view.height);
    m.Int("flags", view.flags);
    if (type == object_type::kBand) {
        if (const JsonValue* bandType = m.Get("bandType")) {
            if (bandType->GetKind() == JsonValue::Kind::Number) {
                view.frameTyp =
                    static_cast<uint16_t>(bandType->AsInt(m.Where("bandType"), 0, UINT16_MAX));
            } else {
                const std::string& name = bandType->AsString(m.Where("bandType"));
                int found = -1;
                for (int i = 0; i < kBandTypeCount; ++i) {
                    if (SameText(name, kBandTypeNames[i])) found = i;
                }
                if (found < 0)
                    throw JsonError(Utf8ToCp1252(m.Where("bandType") +
                                                 " : type de bande inconnu « " + name + " »"));
                view.frameTyp = static_cast<uint16_t>(found);
            }
        }
    } else {
        m.Int("frameTyp", view.frameTyp);
    }
    m.Float("frameWidth", view.frameWidth);
    m.Color("frameColor", view.frameColor);
    m.Int("frameStyle", view.frameStyle);
    m.Color("fillColor", view.fillColor);
    m.Int("formatCode", view.formatCode);
    m.Text("formatPattern", view.formatPattern);
    m.Lines("memo", view.memo);
    m.Lines("script", view.script);
    if (const JsonValue* visible = m.Get("visible")) {
        if (visible->GetKind() == JsonValue::Kind::Boolean) {
            view.visible = visible->AsBool(m.Where("visible")) ? 0xFFFF : 0;
        } else {
            view.visible = static_cast<uint16_t>(visible->AsInt(m.Where("visible"), 0, UINT16_MAX));
        }
    }
    m.Int("restrictions", view.restrictions);
    m.Text("tag", view.tag);
    m.Int("gapX", view.gapX);
    m.Int("gapY", view.gapY);
    m.Int("bandAlign", view.bandAlign);
    if (auto* memo = dynamic_cast<MemoView*>(&view)) {
        if (const JsonValue* font = m.Object("font")) {
            Members f(*font, m.Where("font"));
            f.Text("name", memo->font.name);
            f.Int("size", memo->font.size);
            f.Int("style", memo->font.style);
            f.Color("color", memo->font.color);
            f.Int("charset", memo->font.charset);
            f.Finish();
        }
        m.Int("alignment", memo->alignment);
        if (const JsonValue* highlight = m.Object("highlight")) {
            Members h(*highlight, m.Where("highlight"));
            h.Int("fontStyle", memo->highlight.fontStyle);
            h.Color("fontColor", memo->highlight.fontColor);
            h.Color("fillColor", memo->highlight.fillColor);
            h.Text("condition", memo->highlight.condition);
            h.Finish();
        }
        m.Int("lineSpacing", memo->lineSpacing);
        m.Int("charSpacing", memo->charSpacing);
    } else if (auto* band = dynamic_cast<BandView*>(&view)) {
        m.Text("childBand", band->childBand);
        m.Int("columns", band->columns);
        m.Int("columnWidth", band->columnWidth);
        m.Int("columnGap", band->columnGap);
        m.Int("newColumnAfter", band->newColumnAfter);
        m.Text("master", band->master);
    } else if (auto* picture = dynamic_cast<PictureView*>(&view)) {
        m.Int("blobType", picture->blobType);
        if (const JsonValue* graphic = m.Object("picture")) {
            Members g(*graphic, m.Where("picture"));
            if (const JsonValue* kind = g.Get("kind")) {
                const std::string& name = kind->AsString(g.Where("kind"));
                int found = -1;
                for (int i = 0; i < 4; ++i) {
                    if (name == kGraphicKinds[i]) found = i;
                }
                if (found < 0) {
                    throw JsonError(Utf8ToCp1252(g.Where("kind") +
                                                 " : none, bitmap, metafile ou icon attendu"));
                }
                picture->picture.kind = static_cast<GraphicKind>(found);
            }
            if (const JsonValue* data = g.Get("data")) {
                auto bytes = DecodeBase64(data->AsString(g.Where("data")));
                if (!bytes) throw JsonError(Utf8ToCp1252(g.Where("data") + " : Base64 invalide"));
                picture->picture.data = std::move(*bytes);
            }
            g.Finish();
        }
    } else if (auto* subReport = dynamic_cast<SubReportView*>(&view)) {
        m.Int("subReportPage", subReport->subReportPage);
    }
    m.Finish();
}

void ReadPairs(Members& m, const std::string& key, Variables& list) {
    const JsonValue* v = m.Get(key);
    if (v == nullptr) return;
    for (const JsonValue& pair : v->AsArray(m.Where(key))) {
        const auto& items = pair.AsArray(m.Where(key));
        if (items.size() != 2)
            throw JsonError(Utf8ToCp1252(m.Where(key) + " : paires [nom, valeur] attendues"));
        list.Set(Utf8ToCp1252(items[0].AsString(m.Where(key))),
                 Variant::String(Utf8ToCp1252(items[1].AsString(m.Where(key)))));
    }
}

}  // namespace

JsonValue TemplateToJson(const Report& report) {
    JsonValue root = JsonValue::Object();
    root.Set("version", Int(kCurrentStreamVersion));
    root.Set("ignoreStoredPrinter", Int(report.ignoreStoredPrinter));
    root.Set("twoPass", Int(report.twoPass));
    root.Set("printerName", Text(report.printerName));
    JsonValue pages = JsonValue::Array();
    for (const auto& page : report.pages)
        pages.Push(PageJson(*page));
    root.Set("pages", std::move(pages));
    JsonValue dictionary = JsonValue::Object();
    dictionary.Set("variables", Pairs(report.dictionary.variables));
    dictionary.Set("fieldAliases", Pairs(report.dictionary.fieldAliases));
    dictionary.Set("bandSourceAliases", Pairs(report.dictionary.bandSourceAliases));
    root.Set("dictionary", std::move(dictionary));
    return root;
}

void JsonToTemplate(const JsonValue& json, Report& report) {
    Members root(json, "modèle");
    if (const JsonValue* version = root.Get("version"))
        version->AsInt(root.Where("version"), 21, 24);
    report.pages.Clear();
    report.dictionary.ClearDictionary();
    root.Int("ignoreStoredPrinter", report.ignoreStoredPrinter);
    root.Int("twoPass", report.twoPass);
    root.Text("printerName", report.printerName);
    ModelState& state = report.State();
    if (const JsonValue* pages = root.Get("pages")) {
        const auto& list = pages->AsArray(root.Where("pages"));
        for (size_t i = 0; i < list.size(); ++i) {
            const std::string where = "pages[" + std::to_string(i) + "]";
            Members p(list[i], where);
            Page& page = report.AddPage();
            p.Text("name", page.name);
            p.Int("type", page.type);
            p.Int("size", page.size);
            p.Int("width", page.width);
            p.Int("height", page.height);
            p.Int("orientation", page.orientation);
            p.Int("paperBin", page.paperBin);
            p.Int("leftMargin", page.leftMargin);
            p.Int("topMargin", page.topMargin);
            p.Int("rightMargin", page.rightMargin);
            p.Int("bottomMargin", page.bottomMargin);
            p.Int("printToPrevPage", page.printToPrevPage);
            p.Int("marginsActive", page.marginsActive);
            p.Int("columns", page.columns);
            p.Int("columnGap", page.columnGap);
            p.Int("borderStyle", page.borderStyle);
            p.Text("caption", page.caption);
            p.Color("color", page.color);
            p.Int("dialogLeft", page.dialogLeft);
            p.Int("dialogTop", page.dialogTop);
            p.Int("dialogWidth", page.dialogWidth);
            p.Int("dialogHeight", page.dialogHeight);
            p.Int("position", page.position);
            p.Lines("script", page.script);
            if (page.name.empty()) page.GenerateName();
            if (const JsonValue* objects = p.Get("objects")) {
                const auto& views = objects->AsArray(p.Where("objects"));
                for (size_t j = 0; j < views.size(); ++j) {
                    ReadObject(views[j], page, state,
                               where + ".objects[" + std::to_string(j) + "]");
                }
            }
            p.Finish();
        }
    }
    // Objects the user left without a name get one, as the designer would give.
    for (const auto& page : report.pages) {
        for (const auto& view : page->Objects()) {
            if (view->name.empty()) view->GenerateName();
        }
    }
    if (const JsonValue* dictionary = root.Object("dictionary")) {
        Members d(*dictionary, root.Where("dictionary"));
        ReadPairs(d, "variables", report.dictionary.variables);
        ReadPairs(d, "fieldAliases", report.dictionary.fieldAliases);
        ReadPairs(d, "bandSourceAliases", report.dictionary.bandSourceAliases);
        d.Finish();
    }
    root.Finish();
    // A form the template file cannot hold is refused here rather than when it is saved.
    CheckTemplateWritable(report);
}

}  // namespace report
