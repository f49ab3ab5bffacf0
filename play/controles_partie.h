// What the game commands (replay, paste, change of a move, set-up) rewrite on
// the board window: its board control and its move list, always together
// with the shared board tab_echiquier and the game record.
//
// The commands take these two controls rather than the whole window, so that
// the board window hands its own Echiquier and List1 and a test hands bare
// controls.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "chess/etat.h"

class QListWidget;
namespace mvdechiquier {
class Echiquier;
}

struct ControlesPartie {
  mvdechiquier::Echiquier* echiquier = nullptr;
  QListWidget* liste = nullptr;
};

// The controls of the board window when it is loaded, else {} (both null).
ControlesPartie controles_jeu();
// Replaces where controles_jeu() looks (tests hand bare controls); an empty
// function puts the board window back.
void installe_controles_jeu(std::function<ControlesPartie()> source);

// The folder of the piece icons in use: the board control's when a board
// window is loaded, else the program's default set.
QString dossier_icones();

// Writes `code` on (colonne, ligne) of tab_echiquier, then of the board control.
void pose_case(ControlesPartie& controles, int colonne, int ligne, int code);

// The board control shows tab_echiquier (only the squares that differ are
// written again).
void montre_tab_echiquier(ControlesPartie& controles);

// tab_echiquier takes the 64 squares of the board control.
void recharge_depuis_controle(const ControlesPartie& controles);

// The chaine_position of what the board control shows.
std::string chaine_du_controle(const mvdechiquier::Echiquier& echiquier);

// Appends the position the board control shows to historique_positions
// (what memorise_position does for the board window).
void memorise_controle(const ControlesPartie& controles);

// Adds a line at the end of the move list and selects it.
void ajoute_ligne_selectionnee(ControlesPartie& controles, const QString& ligne);

// A clean game record for a game that starts from a position of its own
// (paste, set-up): no tag lines, empty movetexts, result "*", no comment,
// no evaluation, no en-passant square, no half-move count. The castling flags and the side
// to move are the caller's.
void feuille_vierge();

// The chaine_position of a board array (screen coordinates, column by column).
std::string chaine_du_tableau(const TableauCases& tableau);

// The board array of a 64-character chaine_position; false (and the array
// untouched) when a character is not one of the 13 piece codes.
bool tableau_de_chaine(const std::string& chaine, TableauCases& tableau);
