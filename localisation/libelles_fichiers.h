// The caption tables of the game-file windows, for affiche_libelles.
#pragma once

#include <vector>

#include "localisation/libelles.h"

// The load-and-filter form; its title is set by the form for its mode, the
// PGN and XML option buttons keep their design texts.
std::vector<Libelle> table_charge();
// The save form; its format frame and option buttons and the tooltips keep
// their design texts.
std::vector<Libelle> table_sauve();
// The form that loads a game from an XML address.
std::vector<Libelle> table_xml();
