// The e-mail window under test: a stand-in transport recording every mail,
// the user's own address set, and a board window with a game when a test
// needs one.
#pragma once

#include <QString>

#include "correspondence/message.h"
#include "tests/common/aide_courriel.h"
#include "tests/common/aide_tests.h"

class plateau;

class TestMessage : public TestMorvandel {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The one e-mail window, found by its type (the board window's chat frame
  // is also named "message"); null when none is open.
  static message* fenetre();
  // The board window loaded with `coups` replayed, `couleur` at the bottom.
  plateau& plateau_avec(const char* coups, int couleur);
  // The mail the transport received on its n-th run, read back.
  CourrielLu recu(int n) const { return lit_courriel(transport->entree(n)); }
  // A file of the test's folder holding `contenu`.
  QString fichier(const QString& nom, const QByteArray& contenu) const;
  // Fills the window's three fields as the user types them.
  static void saisit(const QString& a, const QString& sujet, const QString& corps);

  std::unique_ptr<FauxSendmail> transport;
};

// A move mail's game as the manager shows it: references 0012 (own) and
// 0034 (the opponent's), the player with White unless told otherwise, and
// the start position after 1.e4 as pasted.
FicheCoup fiche_exemple(bool j_ai_les_blancs = true);
// The position string of a diagram of 8 lines drawn with White at the
// bottom (top line first, "." empty, FEN letters), as a screen with
// `couleur` at the bottom shows it.
QString chaine_du_diagramme(const char* const lignes[8], int couleur);
// The position string of the start position after 1.e4, White at the bottom.
QString chaine_apres_e4();
