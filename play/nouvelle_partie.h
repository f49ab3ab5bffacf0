// The new-game command of the main window, and how the machine player plugs
// into the main window and the board window.
#pragma once

#include <QDate>
#include <string>

// Starts a game in the play mode in force: the board window in play against
// the machine (1), the free game (2) and machine against machine (4), where
// the board window's load sets the game up (and the machine opens it when it
// has White); before it, the notation from the notation menu, castling
// allowed, no PGN tag lines and, with the log on, a start line in the game log;
// after it, the comment window's heading, the tag lines of a game of machine
// against machine and the greeting. In a network game (3) the same first
// steps, then the connection dialog, which opens the board window. In
// correspondence mode (5) it opens the correspondence manager (with
// mode_saisie_corres 2) and nothing else. An error is shown in a message box
// and ends the command.
void menu_nouvelle_Click();

// True when the new-game command can start a game: no board window is loaded
// and the play mode is 1, 2 or 4, or 3 once the network play is plugged in;
// in mode 5 once the correspondence manager is plugged in.
bool nouvelle_partie_possible();

// The tag lines of a game of machine against machine on `jour`: Event, Site,
// Date, White, Black, WhiteElo, BlackElo, each "[Tag "value"]" and CRLF, then
// an empty line. The second profile names Black when it is loaded. A playing
// level outside 0..4 throws std::out_of_range.
std::string entete_machine(const QDate& jour);
