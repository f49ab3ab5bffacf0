// The board window's view of the machine search: what the search shows while
// it runs (icon, caption, status bar, depth bar, the comment window's
// candidate moves), its trace in the game log, and the events it lets run.
//
// While the search lets events run, the user's input is refused: mouse
// buttons, keys, shortcuts and window closing reach nothing but a modal box
// (a clock that runs out shows one) and the "Go"/"P" button, which can still
// stop automatic play. Redraws and timers run as usual.
#pragma once

#include <functional>

#include "chess/observateur_recherche.h"

class ObservateurPlateau : public ObservateurRecherche {
 public:
  void laisse_passer() override;
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
};

// The one observer of the board window.
ObservateurPlateau& observateur_plateau();

// The user input refused while the search let events run (for tests and the
// log).
long nb_saisies_refusees();

// Called, when set, each time the search lets events run, while the input is
// refused: lets a test act during a search.
std::function<void()>& pendant_recherche();
