// The one wiring function: every hook store is filled by it, before any
// window exists, and a second call puts back whatever a test changed.
#include <gtest/gtest.h>

#include <QAction>
#include <functional>
#include <vector>

#include "app/branchement.h"
#include "app/commandes.h"
#include "app/menu.h"
#include "chess/etat.h"
#include "chess/observateur_recherche.h"
#include "localisation/textes_langue.h"
#include "openings/liens_ouvertures.h"
#include "platform/fenetres.h"
#include "play/jeu.h"
#include "play/observateur_plateau.h"
#include "play/patience.h"
#include "play/plateau.h"
#include "tests/common/aide_tests.h"

namespace {

class Branchement : public TestMorvandel {};

struct Crochet {
  const char* nom;
  std::function<bool()> branche;  // true when the store holds the program's hook
  std::function<void()> vide;     // what a test may do to it
};

std::vector<Crochet> crochets() {
  return {
      {"commandes::nouvelle_partie", [] { return static_cast<bool>(commandes::nouvelle_partie); },
       [] { commandes::nouvelle_partie = nullptr; }},
      {"liens_jeu().joue_machine", [] { return static_cast<bool>(liens_jeu().joue_machine); },
       [] { liens_jeu().joue_machine = nullptr; }},
      {"liens_jeu().couleur_choisie", [] { return static_cast<bool>(liens_jeu().couleur_choisie); },
       [] { liens_jeu() = LiensJeu{}; }},
      {"liens_jeu().notation_choisie", [] { return static_cast<bool>(liens_jeu().notation_choisie); },
       [] { liens_jeu().notation_choisie = nullptr; }},
      {"liens_jeu().menu_partie", [] { return static_cast<bool>(liens_jeu().menu_partie); },
       [] { liens_jeu().menu_partie = nullptr; }},
      {"liens_ouvertures().affiche_commentaire", [] { return static_cast<bool>(liens_ouvertures().affiche_commentaire); },
       [] { liens_ouvertures() = LiensOuvertures{}; }},
      {"liens_ouvertures().decoche_affiche_commentaire",
       [] { return static_cast<bool>(liens_ouvertures().decoche_affiche_commentaire); },
       [] { liens_ouvertures().decoche_affiche_commentaire = nullptr; }},
      {"liens_ouvertures().patience", [] { return progression_ouvertures() == progression_patience(); },
       [] { liens_ouvertures().patience = nullptr; }},
      {"liens_ouvertures().pointeur_piece", [] { return static_cast<bool>(liens_ouvertures().pointeur_piece); },
       [] { liens_ouvertures().pointeur_piece = nullptr; }},
      {"liens_ouvertures().texte", [] { return static_cast<bool>(liens_ouvertures().texte); },
       [] { liens_ouvertures().texte = nullptr; }},
      {"liens_ouvertures().profil_moteur", [] { return static_cast<bool>(liens_ouvertures().profil_moteur); },
       [] { liens_ouvertures().profil_moteur = nullptr; }},
      {"observateur_recherche", [] { return observateur_recherche() == &observateur_plateau(); },
       [] { installe_observateur_recherche(nullptr); }},
      {"pendant_recherche (a test's own)", [] { return !pendant_recherche(); }, [] { pendant_recherche() = [] {}; }},
  };
}

TEST_F(Branchement, ChaqueCrochetEstRempliSansFenetreEtRemisParUnNouvelAppel) {
  ASSERT_EQ(fenetres::existante<Menu>(), nullptr);
  ASSERT_EQ(plateau::existante(), nullptr);
  for (const Crochet& c : crochets()) {
    SCOPED_TRACE(c.nom);
    EXPECT_TRUE(c.branche()) << "wired before any window exists";
    c.vide();
    EXPECT_FALSE(c.branche());
    branche_tout();
    EXPECT_TRUE(c.branche()) << "put back by the wiring";
  }
}

TEST_F(Branchement, LesCrochetsSuiventLaFenetrePrincipaleSansLaCreer) {
  // Without a main window the choices are those in memory and nothing is created.
  couleur_joueur = NOIR;
  style_notation = 0;
  EXPECT_EQ(liens_jeu().couleur_choisie(), NOIR);
  EXPECT_EQ(liens_jeu().notation_choisie(), 0);
  EXPECT_FALSE(commentaire_coche());
  applique_langue();
  EXPECT_EQ(fenetres::existante<Menu>(), nullptr);

  // With one, its marks decide.
  Menu& m = fenetres::instance<Menu>();
  m.couleur_blanche->setChecked(true);
  m.notation_pgn->setChecked(true);
  m.notation_francaise->setChecked(false);
  m.affiche_commentaire->setChecked(true);
  EXPECT_EQ(liens_jeu().couleur_choisie(), BLANC);
  EXPECT_EQ(liens_jeu().notation_choisie(), 2);
  EXPECT_TRUE(commentaire_coche());
  liens_ouvertures().decoche_affiche_commentaire();
  EXPECT_FALSE(m.affiche_commentaire->isChecked());
}

}  // namespace
