// The machine's move in the real windows against the engine alone. The main
// window and the board window are opened, every hook wired by branche_tout()
// (the board window's search observer among them), the level set through its
// menu item; each position of the suite is pasted through the paste command,
// then:
// - the engine alone: the same search joue_machine makes (same side, same move
//   number, no observer), timed;
// - the window: joue_machine(), timed from the call to the recorded move, with
//   the yields counted and the longest time between two of them.
// One line per position and a summary:
//   pos=N window_ms=... engine_ms=... ratio=... same_move=1 yields_per_s=... max_gap_ms=...
//   positions=N median_ratio=... p99_ratio=... worst_ratio=... all_same=1 min_yields_per_s=...
//   max_gap_ms=... load=...
// Runs offscreen or on a display (QT_QPA_PLATFORM=xcb). Build it in Release.
// Usage: bench_fenetre_bench [positions file] [level]
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/branchement.h"
#include "app/menu.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/observateur_recherche.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "chess/regles.h"
#include "platform/evenements.h"
#include "platform/fenetres.h"
#include "play/commandes_partie.h"
#include "play/machine.h"
#include "play/observateur_plateau.h"
#include "play/parametres.h"
#include "play/partie.h"
#include "play/plateau.h"

#ifndef MVD_BENCH_DIR
#define MVD_BENCH_DIR "bench"
#endif

namespace {

double quantile(std::vector<double> v, double q) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t i = std::min(v.size() - 1, static_cast<size_t>(q * static_cast<double>(v.size() - 1) + 0.5));
  return v[i];
}

double mediane(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string charge_systeme() {
  std::ifstream f("/proc/loadavg");
  std::string un, cinq, quinze;
  f >> un >> cinq >> quinze;
  return un + "/" + cinq + "/" + quinze;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string chemin = argc > 1 ? argv[1] : MVD_BENCH_DIR "/positions_recherche.txt";
  const int niveau = argc > 2 ? std::clamp(std::atoi(argv[2]), 0, 3) : 3;
  std::ifstream fichier(chemin);
  if (!fichier) {
    std::fprintf(stderr, "cannot read %s\n", chemin.c_str());
    return 1;
  }
  std::vector<std::string> suite;
  for (std::string ligne; std::getline(fichier, ligne);)
    if (!ligne.empty() && ligne[0] != '#') suite.push_back(ligne);

  // The factory settings, a game against the machine with White at the
  // bottom, no opening book and no default first move.
  reinitialise_etat_jeu();
  reinitialise_parametres();
  reinitialise_poids();
  mode_jeux = 1;
  deb_blanc = 1;
  couleur_joueur = BLANC;
  analyse_ouverture = 0;
  ges_log = 0;
  for (QString& o : ouverture_defaut) o.clear();
  branche_tout();
  Menu& menu = fenetres::instance<Menu>();
  menu.show();
  plateau* p = charge_plateau();
  if (!p) {
    std::fprintf(stderr, "the board window did not load\n");
    return 1;
  }
  fenetres::montre_enfant(p);
  menu.menu_niv_Click(niveau);
  for (int i = 0; i < 20; ++i) app.processEvents();

  // The time between two yields of the window's search.
  QElapsedTimer horloge;
  horloge.start();
  qint64 dernier = 0, ecart_max = 0;
  pendant_recherche() = [&] {
    const qint64 t = horloge.nsecsElapsed();
    ecart_max = std::max(ecart_max, t - dernier);
    dernier = t;
  };

  std::vector<double> rapports, passages_par_s, ecarts;
  bool tous_pareils = true;
  int n = 0;
  for (const std::string& fen : suite) {
    QApplication::clipboard()->setText(QString::fromStdString(fen));
    app.processEvents();
    menu_coller_position_Click();
    if (!partie_en_cours() || historique_positions.size() != 1) {
      std::fprintf(stderr, "skipped: %s\n", fen.c_str());
      continue;
    }
    const int couleur = dernier_trait == BLANC ? NOIR : BLANC;
    const TableauCases avant = tab_echiquier;
    const int numero = numero_coup;

    // The engine alone, as joue_machine calls it: White's move N with
    // numero_coup at N.
    installe_observateur_recherche(nullptr);
    if (couleur == BLANC) ++numero_coup;
    reinitialise_recherche();
    int cs = 0, ls = 0, cd = 0, ld = 0;
    float note = 0;
    QElapsedTimer t_moteur;
    t_moteur.start();
    choix_coup_machine(cs, ls, cd, ld, couleur, note, 1);
    const double ms_moteur = static_cast<double>(t_moteur.nsecsElapsed()) / 1e6;
    numero_coup = numero;
    installe_observateur_recherche(&observateur_plateau());

    // The window.
    const long passages_avant = plateforme::nb_laisse_passer();
    dernier = horloge.nsecsElapsed();
    ecart_max = 0;
    QElapsedTimer t_fenetre;
    t_fenetre.start();
    joue_machine();
    const double ms_fenetre = static_cast<double>(t_fenetre.nsecsElapsed()) / 1e6;
    ecart_max = std::max(ecart_max, horloge.nsecsElapsed() - dernier);
    const long passages = plateforme::nb_laisse_passer() - passages_avant;

    // The same move: the engine's piece has left its square for its target
    // (a pawn may have become a queen there), and the move was recorded.
    const int piece = cs != 0 ? avant(cs, ls) : CASE_VIDE;
    const int arrivee = cs != 0 ? tab_echiquier(cd, ld) : CASE_VIDE;
    const bool promu = (piece == PION_BLANC || piece == PION_NOIR) && arrivee != CASE_VIDE &&
                       couleur_piece(arrivee) == couleur;
    const bool pareil = piece != CASE_VIDE && tab_echiquier(cs, ls) == CASE_VIDE && (arrivee == piece || promu) &&
                        historique_positions.size() == 2;
    tous_pareils = tous_pareils && pareil;
    const double rapport = ms_moteur > 0 ? ms_fenetre / ms_moteur : 0;
    const double par_s = ms_fenetre > 0 ? passages / (ms_fenetre / 1000.0) : 0;
    const double ecart = static_cast<double>(ecart_max) / 1e6;
    rapports.push_back(rapport);
    passages_par_s.push_back(par_s);
    ecarts.push_back(ecart);
    std::printf("pos=%d window_ms=%.1f engine_ms=%.1f ratio=%.3f same_move=%d yields_per_s=%.0f max_gap_ms=%.1f\n",
                ++n, ms_fenetre, ms_moteur, rapport, pareil ? 1 : 0, par_s, ecart);
    std::fflush(stdout);
  }
  std::printf(
      "positions=%d median_ratio=%.3f p99_ratio=%.3f worst_ratio=%.3f all_same=%d min_yields_per_s=%.0f "
      "max_gap_ms=%.1f load=%s\n",
      n, mediane(rapports), quantile(rapports, 0.99), rapports.empty() ? 0.0 : *std::max_element(rapports.begin(), rapports.end()),
      tous_pareils ? 1 : 0, passages_par_s.empty() ? 0.0 : *std::min_element(passages_par_s.begin(), passages_par_s.end()),
      ecarts.empty() ? 0.0 : *std::max_element(ecarts.begin(), ecarts.end()), charge_systeme().c_str());
  pendant_recherche() = nullptr;
  fenetres::ferme_toutes();
  return 0;
}
