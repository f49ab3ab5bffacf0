// An observer of the search that records what the board window would show
// and the trace it would write, with a fixed clock.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "chess/observateur_recherche.h"

class ObservateurEnregistre : public ObservateurRecherche {
 public:
  void laisse_passer() override {
    ++nb_laisse_passer;
    if (pendant_laisse_passer) pendant_laisse_passer(nb_laisse_passer);
  }
  void icone_piece(int code) override { icones.push_back(code); }
  void titre(const std::string& texte) override { titres.push_back(texte); }
  bool affiche_commentaire() const override { return commentaire; }
  std::string texte_calcul() const override { return calcul; }
  void definit_texte_calcul(const std::string& texte) override { calcul = texte; }
  void compteurs(long coups, long positions, float note) override {
    derniers_compteurs = {coups, positions, note};
    ++nb_compteurs;
  }
  int barre_profondeur() const override { return barre; }
  void definit_barre_profondeur(int valeur) override {
    barre = valeur;
    valeurs_barre.push_back(valeur);
  }
  bool trace_active() const override { return trace; }
  void ligne_trace(const std::string& ligne) override { lignes.push_back(ligne); }
  std::string heure() const override { return "12:00:00"; }

  struct Compteurs {
    long coups = 0, positions = 0;
    float note = 0;
  };
  bool commentaire = false, trace = false;
  std::string calcul;
  int barre = 0;
  long nb_laisse_passer = 0;
  int nb_compteurs = 0;
  Compteurs derniers_compteurs;
  std::vector<int> icones, valeurs_barre;
  std::vector<std::string> titres, lignes;
  // Runs during the n-th yield (1 for the first).
  std::function<void(long)> pendant_laisse_passer;
};
