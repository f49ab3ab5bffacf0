// The loading tests: the board window loaded as a new game would load it,
// the loader plugged in, the comment window option ticked or not.
#pragma once

#include <QStringList>
#include <string>

#include "tests/gamefiles/aide_pgn.h"

class plateau;

class TestChargePgn : public TestPgn {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The loaded board window (the test fails when there is none).
  plateau& fenetre();
  // The texts of column `colonne` (0..7) of the game list, top to bottom.
  QStringList colonne(int colonne);
  // The icon names of the game list's lines: "main", "validation" or "".
  QStringList icones();
  // A double-click on line `ligne` of the game list.
  void double_clic(int ligne);
  // The move list's lines.
  QStringList lignes_coups();
  // The text of the board window's status bar.
  QString statut();
  // A move by mouse on the board window: both squares by their names.
  void coup(const char* depart, const char* arrivee);
  // The FEN text of the position the board window shows.
  std::string fen_montree();

  bool commentaires_affiches = false;
};
