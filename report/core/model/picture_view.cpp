#include "report/core/model/picture_view.h"

#include "report/core/base/errors.h"
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

namespace {

constexpr int32_t kBlobTypes[] = {0, 1, 2, 3};

const Picture& PictureOf(const PropertyObject& object) {
    return static_cast<const PictureView&>(object).picture;
}
Picture& PictureOf(PropertyObject& object) {
    return static_cast<PictureView&>(object).picture;
}

}  // namespace

const FieldTable& PictureView::StoredFields() const {
    using namespace prop_type;
    using K = StoredFieldKind;
    static const FieldTable table = CommonFields().Adding({
        FlagProperty("Center", view_flag::kCenter),
        FlagProperty("KeepAspect", view_flag::kKeepAspect),
        Stored("BlobType", 0, "blobType", K::Integer, MemberRef<&PictureView::blobType>)
            .Enumerated("model.enum.blob_type", kBlobTypes),
        Listed("Picture", kEditor),
        Computed(
            {}, 0,
            [](const PropertyObject& o) {
                return Variant::Int32(static_cast<int32_t>(PictureOf(o).kind));
            },
            [](PropertyObject& o, const Variant& value) {
                PictureOf(o).kind = static_cast<GraphicKind>(value.ToInt());
            })
            .InJson("kind", K::GraphicKind)
            .InGroup("picture"),
        Computed(
            {}, 0, [](const PropertyObject& o) { return Variant::String(PictureOf(o).data); },
            [](PropertyObject& o, const Variant& value) {
                PictureOf(o).data = value.StringValue();
            })
            .InJson("data", K::Bytes)
            .InGroup("picture"),
    });
    return table;
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
