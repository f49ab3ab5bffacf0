// The caption tables of the preferences dialog and of the engine parameter
// files window, for affiche_libelles.
#pragma once

#include <vector>

#include "localisation/libelles.h"

std::vector<Libelle> table_pref();
std::vector<Libelle> table_parametre();
