// The caption table of the e-mail window `message`, for affiche_libelles.
#pragma once

#include <vector>

#include "localisation/libelles.h"

std::vector<Libelle> table_message();
