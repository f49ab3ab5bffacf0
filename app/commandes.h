// Commands of subsystems built apart from the main window, which plug
// themselves in here. While one is missing, the menu items that need it stay
// disabled and start-up skips the step.
#pragma once

#include <QString>
#include <functional>

namespace commandes {

// Loads a PGN game file: mode 0 for the open command (first game at once),
// 1 for the recent files and the command line (the game list).
extern std::function<void(int mode, const QString& chemin)> charge_pgn;
// The new-game command, as its menu item runs it.
extern std::function<void()> nouvelle_partie;
// Shows the load-and-filter form in the mode of mode_charge.
extern std::function<void()> montre_charge;
// Shows the save form of the game in hand.
extern std::function<void()> montre_sauve;
// Shows the form that loads a game from an XML address.
extern std::function<void()> montre_xml;
// Shows the correspondence manager (the open command in mode 5).
extern std::function<void()> montre_corres;

// Opens the e-mail window: mode 2 the position on the board as FEN, mode 3
// an empty mail (mode 1, the move mail, comes from the correspondence
// windows themselves).
extern std::function<void(int mode)> envoie_message;

// Forgets every command plugged in (tests).
void reinitialise();

}  // namespace commandes
