// The caption tables of the board window and of the progress window, for
// affiche_libelles.
#pragma once

#include <vector>

#include "localisation/libelles.h"

std::vector<Libelle> table_plateau();
std::vector<Libelle> table_patience();
