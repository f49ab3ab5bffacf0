// What the machine search shows while it runs, and where its trace goes,
// without knowing any window: the board window implements this interface and
// installs it; by default nothing is shown, no trace is written and no event
// runs.
#pragma once

#include <string>

class ObservateurRecherche {
 public:
  virtual ~ObservateurRecherche() = default;

  // Lets pending window events run; called once for every own piece examined,
  // at every depth. An event handled here must neither change tab_echiquier
  // nor start another search (recherche_en_cours() tells).
  virtual void laisse_passer() {}
  // The search's call at that place: lets events run when they are due (by
  // default every time, through laisse_passer) and says whether they ran, so
  // that the search reads the weights again only then.
  virtual bool laisse_passer_si_du() {
    laisse_passer();
    return true;
  }
  // The search of the top level ends (also on an error or a stop): whatever
  // the observer holds back to show is shown now.
  virtual void fin_recherche() {}

  // A new best move at the top of a search with display on:
  // the board window's icon becomes the picture of the moving piece `code`
  // (images/pieces/<curent_piece>/<code>.ico), its caption `titre`.
  virtual void icone_piece(int code) {}
  virtual void titre(const std::string& texte) {}

  // The comment window's text box `calcul`, written only while the main
  // window's item affiche_commentaire is checked.
  virtual bool affiche_commentaire() const { return false; }
  virtual std::string texte_calcul() const { return {}; }
  virtual void definit_texte_calcul(const std::string& texte) {}

  // The board window's status bar after every search of one side, at every
  // depth: panel 2 the moves tried, panel 3 the positions evaluated, panel 4
  // the best note (as texte_nombre writes it).
  virtual void compteurs(long nb_coups_testes, long nb_positions_evaluees, float note) {}
  // The search-depth bar visu_prof (maximum 3).
  virtual int barre_profondeur() const { return 0; }
  virtual void definit_barre_profondeur(int valeur) {}

  // The search trace: true while GES_LOG is 1 and the log file is open;
  // ligne_trace appends one line (the writer adds CR LF and writes
  // Windows-1252).
  virtual bool trace_active() const { return false; }
  virtual void ligne_trace(const std::string& ligne) {}

  // The language text of `numero` (330, 331, 332 for the trace); by default
  // the French text.
  virtual std::string texte(int numero) const;
  // The current time in the default time format ("14:05:09" by default).
  virtual std::string heure() const;
};

// The observer in use (the board window's), or null for none.
void installe_observateur_recherche(ObservateurRecherche* observateur);
ObservateurRecherche* observateur_recherche();
