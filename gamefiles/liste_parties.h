// The board window's game list List2: the games of one PGN file, one line
// per game (Event, Site, Date, Round, White, Black, Result, and the round's
// sort key in a hidden column), sorted by a click on a column header and
// loaded by a double-click. Its rows are held by the window's
// ModeleParties (play/modele_parties.h).
//
// The list keeps the path of the file it was read from; a double-click reads
// that file whatever fichier_pgn names since. The game loaded last shows the
// icon "main" of ImlIcon, the games loaded before it "validation"; the icons
// stay with their games when the list is sorted, and come back on them when
// the same file is listed again.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "gamefiles/lecture_pgn.h"

class ModeleParties;
class plateau;

// Empties the list for a reading of `chemin`.
void vide_liste(plateau& p, const QString& chemin);
// A game found by a listing: it joins the list at the next ajoute_lignes(),
// so that the list takes many games in one insertion and is not redrawn for
// each.
void prepare_ligne(ModeleParties& modele, const pgn::PartieLue& partie);
// The games prepared since the last call are added to the list.
void ajoute_lignes(plateau& p);
// The file the list was read from (empty before any reading).
QString fichier_liste(const plateau& p);
// The game at `debut` is the one loaded now: its line shows "main", the
// line of the game loaded before it "validation".
void marque_partie_chargee(plateau& p, std::int64_t debut);
// The line `ligne` becomes the list's current line.
void choisit_ligne(plateau& p, int ligne);

// A click on column header `i` (counted from 1): the list is sorted on that
// column's text, ascending; the Round column on the round's sort key.
void List2_ColumnClick(plateau& p, int i);

// Connects the list's header clicks and double-clicks; `charge` loads the
// selected line's game (a double-click on an empty list does nothing).
void branche_liste(plateau& p, std::function<void(plateau&)> charge);
