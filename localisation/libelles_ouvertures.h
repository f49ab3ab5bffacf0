// The caption tables of the opening lines window and of the data grid, for
// affiche_libelles. Neither sets its window's title.
#pragma once

#include <vector>

#include "localisation/libelles.h"

std::vector<Libelle> table_liste_coup();
std::vector<Libelle> table_frmDataGrid();
