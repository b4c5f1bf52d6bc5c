// The designer's about box: its name, the program's version and what it is for.
#pragma once

#include <QMessageBox>

namespace report {

class DesignerAbout : public QMessageBox {
    Q_OBJECT
  public:
    explicit DesignerAbout(QWidget* parent = nullptr);
};

}  // namespace report
