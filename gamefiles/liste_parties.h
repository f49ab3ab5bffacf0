// The board window's game list List2: the games of one PGN file, one line
// per game (Event, Site, Date, Round, White, Black, Result, and the round's
// sort key in a hidden column), sorted by a click on a column header and
// loaded by a double-click.
//
// The list keeps the path of the file it was read from; a double-click reads
// that file whatever fichier_pgn names since. The game loaded last shows the
// icon "main" of ImlIcon, the games loaded before it "validation"; the icons
// stay with their games when the list is sorted, and come back on them when
// the same file is listed again.
#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

#include "gamefiles/lecture_pgn.h"

class QTreeWidgetItem;
class plateau;

// Empties the list for a reading of `chemin`.
void vide_liste(plateau& p, const QString& chemin);
// The lines of a listing are made apart from the list, then added in one
// insertion for many games (the list is not redrawn for each).
QTreeWidgetItem* nouvelle_ligne(const pgn::PartieLue& partie);
// Adds the lines made (the list takes them) and empties `lot`.
void ajoute_lignes(plateau& p, QList<QTreeWidgetItem*>& lot);
// The file the list was read from (empty before any reading).
QString fichier_liste(const plateau& p);
// The game at `debut` is the one loaded now: its line shows "main", the
// line of the game loaded before it "validation".
void marque_partie_chargee(plateau& p, std::int64_t debut);

// A click on column header `i` (counted from 1): the list is sorted on that
// column's text, ascending; the Round column on the round's sort key.
void List2_ColumnClick(plateau& p, int i);

// Connects the list's header clicks and double-clicks; `charge` loads the
// selected line's game (a double-click on an empty list does nothing).
void branche_liste(plateau& p, std::function<void(plateau&)> charge);
