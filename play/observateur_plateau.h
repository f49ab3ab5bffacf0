// The board window's view of the machine search: what the search shows while
// it runs (icon, caption, status bar, depth bar, the comment window's
// candidate moves), its trace in the game log, and the events it lets run.
//
// The search asks to yield for every own piece at every depth; events run only
// when a few milliseconds have passed since they last ran (passage_du), and
// the icon, caption, counters and depth bar are shown then, when they changed,
// and once more when the search ends. While events run the user keeps the
// program: what would move a piece or start a second search refuses by itself
// (machine_occupee()), the rest works.
#pragma once

#include <functional>
#include <string>

#include "chess/observateur_recherche.h"

class ObservateurPlateau : public ObservateurRecherche {
 public:
  void laisse_passer() override;
  bool laisse_passer_si_du() override;
  void fin_recherche() override;
  void icone_piece(int code) override;
  void titre(const std::string& texte) override;
  bool affiche_commentaire() const override;
  std::string texte_calcul() const override;
  void definit_texte_calcul(const std::string& texte) override;
  void compteurs(long nb_coups_testes, long nb_positions_evaluees, float note) override;
  int barre_profondeur() const override;
  void definit_barre_profondeur(int valeur) override;
  bool trace_active() const override;
  void ligne_trace(const std::string& ligne) override;
  std::string texte(int numero) const override;

 private:
  // Shows what changed since it was last shown.
  void montre();

  // What the search asked to show, and whether it is still to be shown.
  int icone_ = 0;
  std::string titre_;
  long coups_ = 0, positions_ = 0;
  float note_ = 0.0f;
  int barre_ = -1;
  bool icone_due_ = false, titre_du_ = false, compteurs_dus_ = false, barre_due_ = false;
};

// The one observer of the board window.
ObservateurPlateau& observateur_plateau();

// Called, when set, each time the search lets events run: lets a test act
// during a search.
std::function<void()>& pendant_recherche();
