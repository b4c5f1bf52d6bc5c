#include "report/ui/designer_about.h"

namespace report {

DesignerAbout::DesignerAbout(QWidget* parent) : QMessageBox(parent) {
    setWindowTitle(QStringLiteral("À propos du concepteur"));
    setIcon(QMessageBox::Information);
    setText(QStringLiteral("<b>etat-concepteur</b> %1").arg(QStringLiteral(TOMBAGE_VERSION)));
    setInformativeText(QStringLiteral(
        "Le concepteur des modèles d'état de Tombage : bandes, textes, images et lignes, "
        "avec l'aperçu de l'état sur des données d'essai."));
    setStandardButtons(QMessageBox::Ok);
}

}  // namespace report
