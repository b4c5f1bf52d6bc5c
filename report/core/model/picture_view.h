// The picture object: a bitmap, metafile or icon kept byte for byte in its own file format.
#pragma once

#include <string>

#include "report/core/model/view.h"

namespace report {

class Variables;

enum class GraphicKind : uint8_t { None = 0, Bitmap = 1, Metafile = 2, Icon = 3 };

// A picture held as the bytes of its file format (Windows bitmap file, enhanced or placeable
// metafile, icon file). Decoding is the drawing layer's business.
struct Picture {
    GraphicKind kind = GraphicKind::None;
    std::string data;
    bool IsEmpty() const { return kind == GraphicKind::None || data.empty(); }
    friend bool operator==(const Picture&, const Picture&) = default;
};

// How a picture is read from a database field: "btBMP;btJPG;btICO;btWMF".
enum class BlobType : uint8_t { btBMP = 0, btJPG = 1, btICO = 2, btWMF = 3 };

// Enters btBMP, btJPG, btICO and btWMF (0 to 3) into a constants list, so that scripts can use
// them; done when picture objects are created.
void AddPictureConstants(Variables& constants);

class PictureView : public View {
  public:
    PictureView();
    std::string ClassName() const override { return "PictureView"; }

    Picture picture;
    uint8_t blobType = 0;

    const FieldTable& StoredFields() const override;

    // A graphic whose data ends before its announced end raises StreamReadError; the picture
    // then holds an empty graphic of the stored kind.
    void ReadRecord(EngineStream& s, int version) override;
    void WriteRecord(EngineStream& s) override;
};

}  // namespace report
