// The caption tables of the correspondence windows (the manager, the
// preparation of a move, the entry of the opponent's move), for
// affiche_libelles. Each sets its window's title.
#pragma once

#include <vector>

#include "localisation/libelles.h"

std::vector<Libelle> table_corres();
std::vector<Libelle> table_prepare();
std::vector<Libelle> table_saisie_coup();
