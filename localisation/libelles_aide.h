// The caption tables of the windows of the help menu and of the tips window,
// for affiche_libelles.
#pragma once

#include <vector>

#include "localisation/libelles.h"

std::vector<Libelle> table_frmTip();
std::vector<Libelle> table_frmAbout();
std::vector<Libelle> table_release();
