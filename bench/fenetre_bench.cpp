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
//   pos=N window_ms=... engine_ms=... ratio=... window_worst_ms=... engine_worst_ms=... same_move=1
//   yields_per_s=... max_gap_ms=...
//   positions=N runs=R median_ratio=... p99_ratio=... worst_ratio=... all_same=1 min_yields_per_s=...
//   max_gap_ms=... load=...
// Runs offscreen or on a display (QT_QPA_PLATFORM=xcb). Build it in Release.
// Each position is run a few times, the engine and the window in turn (A B A
// B); each side's time is its median over the runs, and the line also gives
// the window's worst run. The yields a second are counted on moves of 100 ms
// or more.
// Usage: bench_fenetre_bench [positions file] [level] [runs]
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
#include "bench/aide_bench.h"
#include "app/menu.h"
#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/observateur_recherche.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "chess/regles.h"
#include "platform/boites.h"
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

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string chemin = argc > 1 ? argv[1] : MVD_BENCH_DIR "/positions_recherche.txt";
  const int niveau = argc > 2 ? std::clamp(std::atoi(argv[2]), 0, 3) : 3;
  const int essais = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
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
  // A mate or a repetition asks or tells: no one is there to answer.
  plateforme::BoitesEnTest::active([](const QString&) {});
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

  // One measure of a position: the engine alone, then the window.
  struct Mesure {
    bool lue = false, pareil = false;
    double ms_moteur = 0, ms_fenetre = 0, ecart_ms = 0;
    long passages = 0;
  };
  auto mesure = [&](const std::string& fen) {
    Mesure m;
    plateforme::BoitesEnTest::efface();
    QApplication::clipboard()->setText(QString::fromStdString(fen));
    app.processEvents();
    menu_coller_position_Click();
    if (!partie_en_cours() || historique_positions.size() != 1) return m;
    m.lue = true;
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
    m.ms_moteur = static_cast<double>(t_moteur.nsecsElapsed()) / 1e6;
    numero_coup = numero;
    installe_observateur_recherche(&observateur_plateau());

    // The window.
    const long passages_avant = plateforme::nb_laisse_passer();
    dernier = horloge.nsecsElapsed();
    ecart_max = 0;
    QElapsedTimer t_fenetre;
    t_fenetre.start();
    joue_machine();
    m.ms_fenetre = static_cast<double>(t_fenetre.nsecsElapsed()) / 1e6;
    m.ecart_ms = static_cast<double>(std::max(ecart_max, horloge.nsecsElapsed() - dernier)) / 1e6;
    m.passages = plateforme::nb_laisse_passer() - passages_avant;

    // The same move: the engine's piece has left its square for its target
    // (a pawn may have become a queen there), and the move was recorded.
    const int piece = cs != 0 ? avant(cs, ls) : CASE_VIDE;
    const int arrivee = cs != 0 ? tab_echiquier(cd, ld) : CASE_VIDE;
    const bool promu = (piece == PION_BLANC || piece == PION_NOIR) && arrivee != CASE_VIDE &&
                       couleur_piece(arrivee) == couleur;
    m.pareil = piece != CASE_VIDE && tab_echiquier(cs, ls) == CASE_VIDE && (arrivee == piece || promu) &&
               historique_positions.size() >= 2;
    return m;
  };

  // Each position `essais` times, engine then window each time (A B A B):
  // the medians of both sides give the position's ratio.
  bench::Mesures rapports;
  std::vector<double> passages_par_s, ecarts;
  bool tous_pareils = true;
  int n = 0;
  for (const std::string& fen : suite) {
    bench::Mesures fenetre, moteur;
    double pire_ecart = 0, par_s = -1;
    bool pareil = true;
    for (int e = 0; e < essais; ++e) {
      const Mesure m = mesure(fen);
      if (!m.lue) break;
      pareil = pareil && m.pareil;
      pire_ecart = std::max(pire_ecart, m.ecart_ms);
      if (m.ms_fenetre >= 100) {
        const double r = m.passages / (m.ms_fenetre / 1000.0);
        par_s = par_s < 0 ? r : std::min(par_s, r);
      }
      fenetre.ajoute(m.ms_fenetre);
      moteur.ajoute(m.ms_moteur);
    }
    if (fenetre.vide()) {
      std::fprintf(stderr, "skipped: %s\n", fen.c_str());
      continue;
    }
    tous_pareils = tous_pareils && pareil;
    const double rapport = moteur.mediane() > 0 ? fenetre.mediane() / moteur.mediane() : 0;
    rapports.ajoute(rapport);
    if (par_s >= 0) passages_par_s.push_back(par_s);
    ecarts.push_back(pire_ecart);
    // Yields a second only where the move took long enough to need them.
    char debit[32] = "-";
    if (par_s >= 0) std::snprintf(debit, sizeof debit, "%.0f", par_s);
    std::printf(
        "pos=%d window_ms=%.1f engine_ms=%.1f ratio=%.3f window_worst_ms=%.1f engine_worst_ms=%.1f same_move=%d "
        "yields_per_s=%s max_gap_ms=%.1f\n",
        ++n, fenetre.mediane(), moteur.mediane(), rapport, fenetre.pire(), moteur.pire(), pareil ? 1 : 0, debit,
        pire_ecart);
    std::fflush(stdout);
  }
  std::printf("positions=%d runs=%d median_ratio=%.3f p99_ratio=%.3f worst_ratio=%.3f all_same=%d min_yields_per_s=%.0f "
              "max_gap_ms=%.1f %s\n",
              n, essais, rapports.mediane(), rapports.centile(99), rapports.pire(), tous_pareils ? 1 : 0,
              passages_par_s.empty() ? 0.0 : *std::min_element(passages_par_s.begin(), passages_par_s.end()),
              ecarts.empty() ? 0.0 : *std::max_element(ecarts.begin(), ecarts.end()), bench::charge().c_str());
  pendant_recherche() = nullptr;
  fenetres::ferme_toutes();
  return 0;
}
