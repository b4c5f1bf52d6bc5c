#include "app/logic/history_animation.h"

namespace app {

const std::array<std::string_view, 18> kHistoryLines = {
    "Version 0.16 : 2016",
    "  Création du logiciel après arbitrage de la Finale",
    "    de Comité de la  Coupe de France 2016",
    "",
    "",
    "Version 1.19.10 : 2019",
    "  Adaptation à EASI",
    "",
    "",
    "Version 2.22.02 : 2022",
    "  Tombage des matchs KO ou Matchs avec repêchages",
    "            Poule de 2               Poule de 4",
    "",
    "",
    "",
    "",
    "",
    "",
};

}  // namespace app
