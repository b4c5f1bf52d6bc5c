// The font editor: the family (any name a template may hold, or one of the families
// fontconfig has), size, style and colour of the selected text objects, with the family a
// Windows name will print with and a sample in it. "OK" applies the font as one undo step; a
// refusal is shown under the fields and the dialog stays open.
#pragma once

#include <QDialog>

#include "report/core/model/memo_view.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace report {

class DesignDocument;
class DesignerColourButton;
class DesignerFontStyleBoxes;

class DesignerFontEditor : public QDialog {
    Q_OBJECT
  public:
    // Opens on `font` (its name Windows-1252); `document` must outlive the dialog.
    DesignerFontEditor(DesignDocument& document, const Font& font, QWidget* parent = nullptr);

    // The family name as typed or chosen in the list.
    QLineEdit* Family() const { return family_; }
    // The installed families, those that start with the name typed first.
    QListWidget* Families() const { return families_; }
    QSpinBox* Size() const { return size_; }
    DesignerFontStyleBoxes* Styles() const { return styles_; }
    DesignerColourButton* Colour() const { return colour_; }
    // "Imprimé avec : <family>": the family the name chosen prints with.
    QString PrintedWith() const;
    // The font as chosen now (the character set it opened with is kept).
    Font ChosenFont() const;
    // The refusal shown under the fields; empty when none.
    QString Refusal() const;
    // Whether "OK" changed the template.
    bool Changed() const { return changed_; }

    void accept() override;

  private:
    void FamilyTyped();
    void ShowSample();

    DesignDocument& document_;
    uint8_t charset_;
    bool changed_ = false;
    QLineEdit* family_ = nullptr;
    QListWidget* families_ = nullptr;
    QSpinBox* size_ = nullptr;
    DesignerFontStyleBoxes* styles_ = nullptr;
    DesignerColourButton* colour_ = nullptr;
    QLabel* printedWith_ = nullptr;
    QLabel* sample_ = nullptr;
    QLabel* refusal_ = nullptr;
};

}  // namespace report
