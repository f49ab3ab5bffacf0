// What the correspondence windows need of the e-mail window, which plugs
// itself in from the one wiring function (branche_tout). Until it does,
// "&Générer le message" opens nothing.
#pragma once

#include <functional>

struct LiensCorres {
  // Shows the message window in the mode message_mode holds (1: the move
  // mail of the game prepared in `prepare`).
  std::function<void()> montre_message;
};
LiensCorres& liens_corres();
