// The opening lookup: names the opening of the moves played (mode 1) or lists
// the lines of the opening base that continue them (mode 0).
#pragma once

#include <string>

// mode 1: the first line continuing `coups` gives eco_courant and
// ouverture_courante and, while the comment option is ticked, the line
// "[code - name]" in the comment window. When no line continues them, the
// comment window gets "[Ouverture non référencée]" while the comment option
// is ticked and the move number is below max_coup_ouverture.
// mode 0: fills the opening lines window with every line continuing `coups`
// (with the progress window above 100 lines, stopped by arret_demande) and
// puts their number in front of its caption.
// Any other mode only runs the query and the button updates: while the
// comment option is ticked, voir_coup and menu_voir_ouvertures are enabled
// when some line continues the moves and disabled when none does.
// Errors are shown in a message box; the caller goes on.
void cherche_ouverture(int mode, const std::string& coups);

// The command "Voir les ouvertures possibles" and the comment window's button:
// loads the opening lines window, sets its caption to text 274, " - " and
// texte_partie, fills it (mode 0) and shows it. Nothing for a game begun
// from a position of its own (partie_du_debut false).
void montre_ouvertures_possibles();

// True while the last lookup found opening lines to show (the opening base
// open, the window of the opening lines available, a game from the usual
// start): the main window's item and the comment window's button follow it.
bool ouvertures_a_montrer();
// Sets that state (a new game: the lines of the start, when the window of
// the opening lines is available; the board window gone: none).
void definit_ouvertures_a_montrer(bool actif);
