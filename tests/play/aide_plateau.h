// The board window under test: a fresh window per case, loaded with a known
// set of settings, sounds recorded, timers ticked by the test, the comment
// window option ticked, clicks sent to the real board control.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QString>
#include <QStringList>

#include "play/plateau.h"
#include "tests/common/aide_tests.h"

class TestPlateau : public TestMorvandel {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Loads the board window with the settings as they stand (the fixture's
  // defaults: free game, White at the bottom, clocks at "00:15:00", sounds
  // on, no log, no opening lookup).
  plateau& ouvre();

  // A left click in the middle of a square, given in screen coordinates or
  // by its chess name ("e2") in the orientation in use.
  void clic(int colonne, int ligne);
  void clic(const char* nom_case);
  // Both clicks of a move: "e2", "e4".
  void coup(const char* depart, const char* arrivee);
  // Screen coordinates of a chess square for the orientation in use.
  static int colonne_de(const char* nom_case);
  static int ligne_de(const char* nom_case);
  // The code shown on a square and the code of tab_echiquier there.
  int controle(const char* nom_case) const;
  int tableau(const char* nom_case) const;
  // Sets a position on both the board control and tab_echiquier, from a
  // diagram drawn as the screen shows it (top line first).
  void pose_position(const char* const lignes[8]);
  // Set-up: the palette picture of `code` clicked, then the square.
  void pose_piece(int code, const char* nom_case);
  // A whole set-up on the board window: entered, the pieces placed ("Ke1",
  // "pa7": the letter of style 2, upper case White, and the square), the
  // move number typed, "&Ok" pressed. False when play does not start.
  bool met_en_place(const QStringList& pieces, int numero);
  // The clipboard holds `fen` and the position is pasted from it.
  void colle_fen(const QString& fen);
  // Creates base/eco.db in the program folder with these lines (movetexts
  // ending with " *") and opens it as the opening base.
  void cree_base_ouvertures(const QStringList& lignes);
  // Empties both back rows but for the kings and rooks (board control and
  // tab_echiquier), from the start position.
  void garde_rois_et_tours();
  // The lines of the move list and of the comment window.
  QStringList lignes_liste() const;
  QStringList lignes_commentaire() const;
  // The sound numbers played since the last call (file names mapped back to
  // their numbers through the table sons).
  QList<int> sons_joues();

  plateau* p = nullptr;
};
