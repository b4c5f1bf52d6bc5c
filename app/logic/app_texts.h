// The program's own French texts, as UTF-8 source text. The logic works in Windows-1252
// (AppText); the windows take them as QString (QText of widget_text.h).
#pragma once

#include <string>
#include <string_view>

namespace app {
namespace texts {

// Captions.
inline constexpr std::string_view kApplicationTitle = "Tombage";
inline constexpr std::string_view kMainCaption = "Tombage au sort intégral version ";
inline constexpr std::string_view kAboutCaption = "A propos Tombage au Sort ";

// Menu.
inline constexpr std::string_view kMenuNewDraw = "Nouveau Tombage";
inline constexpr std::string_view kMenuLoad = "Chargement";
inline constexpr std::string_view kMenuDraw = "Tombage au sort intégral";
inline constexpr std::string_view kMenuDrawRepechage = "Matchs avec repêchages";
inline constexpr std::string_view kMenuDrawPlain = "Martchs sans repêchage";
inline constexpr std::string_view kMenuHelp = "Aide";
inline constexpr std::string_view kMenuPrint = "Impression";
inline constexpr std::string_view kMenuHelps = "Aides";
inline constexpr std::string_view kMenuAbout = "A propos";
inline constexpr std::string_view kMenuGeneralHelp = "Aide générale";
inline constexpr std::string_view kMenuNoUpdateCheck = "Ne pas vérifier la mise à jour";
inline constexpr std::string_view kMenuQuit = "Quitter";

// Grid headers.
inline constexpr std::string_view kReceivingHeader = "Equipe recevante";
inline constexpr std::string_view kVisitingHeader = "Equipe visiteuse";

// Team import.
inline constexpr std::string_view kOpenFilterDescription = " Fichiers Charges ";
inline constexpr std::string_view kImportConfirmation =
    "Les données ont bien été chargés\n\n   Vous pouvez faire le tombage\n\n   Par le menu "
    "\"Nouveau Tombage\"\n";

// Settings file.
inline constexpr std::string_view kIniWriteError = "Impossible d'écrire dans %s";

// About window.
inline constexpr std::string_view kVersionPrefix = "Version : ";
inline constexpr std::string_view kHistoryButton = "Historique";
inline constexpr std::string_view kMailLabel = "E-mail ";
inline constexpr std::string_view kAuthorFamilyName = "L'équipe";
inline constexpr std::string_view kAuthorGivenName = "Tombage";
inline constexpr std::string_view kContactAddress = "tombage@example.org";
inline constexpr std::string_view kFeedbackLine1 =
    "Toutes critiques afin d'améliorer ce programme ";
inline constexpr std::string_view kFeedbackLine2 =
    "seront les bienvenues ainsi que les encouragements.";
inline constexpr std::string_view kWarningCaption = "Avertissement";
inline constexpr std::string_view kNoMailProgram =
    "Le courier électronique par défaut\r\rn'est pas installé correctement";

// Help documents.
inline constexpr std::string_view kLoadingHelpFile = "Chargement.pdf";
inline constexpr std::string_view kGeneralHelpFile = "Tombage.pdf";

}  // namespace texts

// A text in Windows-1252.
std::string AppText(std::string_view utf8);

}  // namespace app
