// A button that shows a template colour and opens Qt's colour dialog to choose another; when
// the colour may be none, its menu also offers "Aucune" (transparent).
#pragma once

#include <QToolButton>
#include <cstdint>

namespace report {

// Qt's colour as a template stores it: 0x00BBGGRR.
int32_t TemplateColorOf(const QColor& color);

class DesignerColourButton : public QToolButton {
    Q_OBJECT
  public:
    // `colour` is 0x00BBGGRR, a system colour (kept until another is chosen) or kNoColor.
    DesignerColourButton(int32_t colour, bool mayBeNone, QWidget* parent = nullptr);

    int32_t Colour() const { return colour_; }
    void SetColour(int32_t colour);

  signals:
    void ColourChanged();

  private:
    void Choose();

    int32_t colour_;
};

}  // namespace report
