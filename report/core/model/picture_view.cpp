#include "report/core/model/picture_view.h"

#include "report/core/base/errors.h"
#include "report/core/base/text.h"
#include "report/core/value/variables.h"

namespace report {

void AddPictureConstants(Variables& constants) {
    static constexpr const char* kNames[] = {"btBMP", "btJPG", "btICO", "btWMF"};
    for (int i = 0; i < 4; ++i)
        constants.Set(kNames[i], Variant::Int32(i));
}

PictureView::PictureView() : View(object_type::kPicture, "Picture") {
    flags = view_flag::kStretched | view_flag::kKeepAspect;
}

void PictureView::RegisterProperties(std::vector<PropertyInfo>& list) const {
    using namespace prop_type;
    View::RegisterProperties(list);
    AddProperty(list, "Center", kBoolean);
    AddProperty(list, "KeepAspect", kBoolean);
    AddEnumProperty(list, "BlobType", "model.enum.blob_type", {0, 1, 2, 3});
    AddProperty(list, "Picture", kEditor);
}

Variant PictureView::GetPropertyValue(std::string_view propertyName) const {
    const std::string n = UpperCase(propertyName);
    if (n == "CENTER") return Variant::Boolean(HasFlag(view_flag::kCenter));
    if (n == "KEEPASPECT") return Variant::Boolean(HasFlag(view_flag::kKeepAspect));
    if (n == "BLOBTYPE") return Variant::Int32(blobType);
    return View::GetPropertyValue(propertyName);
}

void PictureView::SetPropertyValue(std::string_view propertyName, const Variant& value) {
    const std::string n = UpperCase(propertyName);
    if (n == "CENTER")
        SetFlag(view_flag::kCenter, value.ToBool());
    else if (n == "KEEPASPECT")
        SetFlag(view_flag::kKeepAspect, value.ToBool());
    else if (n == "BLOBTYPE")
        blobType = static_cast<uint8_t>(value.ToInt());
    else
        View::SetPropertyValue(propertyName, value);
}

void PictureView::ReadRecord(EngineStream& s, int version) {
    View::ReadRecord(s, version);
    uint8_t kind = 0;
    ReadU8(s, kind);
    if (recordVersion * 10 + recordSubVersion > 10) ReadU8(s, blobType);
    int32_t end = 0;
    ReadI32(s, end);
    picture = Picture{};
    if (kind < 1 || kind > 3) return;
    picture.kind = static_cast<GraphicKind>(kind);
    // The graphic's bytes run to its end position; copying them is length-checked.
    const int64_t length = static_cast<int64_t>(end) - static_cast<int64_t>(s.Position());
    if (end < 0 || length < 0 || static_cast<uint64_t>(length) > s.Remaining())
        throw StreamReadError();
    picture.data.assign(s.Bytes(), s.Position(), static_cast<size_t>(length));
    s.Seek(static_cast<size_t>(end));
}

void PictureView::WriteRecord(EngineStream& s) {
    View::WriteRecord(s);
    const bool hasGraphic = picture.kind != GraphicKind::None;
    WriteU8(s, static_cast<uint8_t>(picture.kind));
    WriteU8(s, blobType);
    const size_t endField = s.Position();
    WriteI32(s, 0);
    if (hasGraphic) s.Write(picture.data);
    const size_t end = s.Position();
    s.Seek(endField);
    WriteI32(s, static_cast<int32_t>(end));
    s.Seek(end);
}

}  // namespace report
