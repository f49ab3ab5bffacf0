// Shared values owned by neighbouring subsystems that the settings fill:
// the engine profile and weights of the [CALCUL] section live with the engine.
#pragma once

#include "chess/poids.h"
