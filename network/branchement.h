// Plugs the network game into the game and the main window: the sends of the
// board window, the connection dialog of the new-game command, the closing of
// the connection on resignation and when the board window goes.
#pragma once

namespace reseau {

void branche_reseau();
// Closes every socket and forgets the network state (end of the run, tests).
void debranche_reseau();
// True while a network game runs on an open connection (the main window's
// items ask it); never creates the network state.
bool partie_reseau_active();

}  // namespace reseau
