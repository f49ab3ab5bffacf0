// Speed of the machine search: for each level 0..3, with ALPHA_BETA off and
// on, one search from depth 0 for the side to move in every position of the
// suite, timed. One line per level and setting:
//   level=L alphabeta=A positions=N median_ms=... max_ms=... evals=... evals_per_s=...
// When stockfish is installed (a general chess engine, as a yardstick of the
// machine's speed), its own benchmark runs after ours and the last line sets
// the evaluations per second of all our searches against its nodes per second:
//   evals_per_s=... stockfish_nodes_per_s=... ratio=...
// Usage: bench_search_bench [positions file] [highest level]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "chess/etat.h"
#include "chess/fen.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "chess/regles.h"

#ifndef MVD_BENCH_DIR
#define MVD_BENCH_DIR "bench"
#endif

namespace {

struct Position {
  std::string fen;
  PositionFen position;
  int trait = BLANC;
};

// A position of the suite, White at the bottom; positions that cannot arise
// are refused by the reader.
bool lit_position(const std::string& fen, Position& p) {
  const std::optional<PositionFen> lue = lit_fen(fen, BLANC);
  if (!lue) return false;
  p.fen = fen;
  p.position = *lue;
  p.trait = couleur_adverse(lue->dernier_trait);
  return true;
}

void pose(const Position& p) {
  couleur_joueur = BLANC;
  applique_position_fen(p.position);
}

// Nodes per second of `stockfish bench 16 1 13` (16 MB of hash, one thread,
// depth 13), 0 when stockfish is not there.
double noeuds_par_seconde_stockfish() {
  FILE* sortie = popen("PATH=\"$PATH:/usr/games\" stockfish bench 16 1 13 2>&1", "r");
  if (!sortie) return 0;
  double nps = 0;
  char ligne[512];
  while (std::fgets(ligne, sizeof ligne, sortie))
    if (const char* p = std::strstr(ligne, "Nodes/second")) {
      if ((p = std::strchr(p, ':'))) nps = std::atof(p + 1);
    }
  pclose(sortie);
  return nps;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string chemin = argc > 1 ? argv[1] : MVD_BENCH_DIR "/positions_recherche.txt";
  const int niveau_max = argc > 2 ? std::clamp(std::atoi(argv[2]), 0, 3) : 3;
  std::ifstream fichier(chemin);
  if (!fichier) {
    std::fprintf(stderr, "cannot read %s\n", chemin.c_str());
    return 1;
  }
  std::vector<Position> suite;
  for (std::string ligne; std::getline(fichier, ligne);) {
    if (ligne.empty() || ligne[0] == '#') continue;
    Position p;
    if (!lit_position(ligne, p)) {
      std::fprintf(stderr, "skipped: %s\n", ligne.c_str());
      continue;
    }
    suite.push_back(p);
  }
  reinitialise_etat_jeu();
  reinitialise_poids();
  long toutes_evaluations = 0;
  double toute_duree = 0;
  for (int niveau = 0; niveau <= niveau_max; ++niveau)
    for (int ab = 0; ab <= 1; ++ab) {
      profondeur_max[1] = niveau;
      alpha_beta[1] = ab;
      std::vector<double> durees;
      long evaluations = 0;
      double total = 0;
      for (const Position& p : suite) {
        pose(p);
        reinitialise_recherche();
        int cs = 0, ls = 0, cd = 0, ld = 0;
        float note = 0;
        const auto debut = std::chrono::steady_clock::now();
        choix_coup_machine(cs, ls, cd, ld, p.trait, note, 0);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
        durees.push_back(ms);
        total += ms;
        evaluations += nb_positions_evaluees;
      }
      toutes_evaluations += evaluations;
      toute_duree += total;
      std::vector<double> triees = durees;
      std::sort(triees.begin(), triees.end());
      const size_t n = triees.size();
      const double mediane = n == 0 ? 0 : n % 2 ? triees[n / 2] : (triees[n / 2 - 1] + triees[n / 2]) / 2;
      std::printf("level=%d alphabeta=%d positions=%zu median_ms=%.2f max_ms=%.2f evals=%ld evals_per_s=%.0f\n",
                  niveau, ab, n, mediane, n ? triees.back() : 0.0, evaluations,
                  total > 0 ? evaluations / (total / 1000.0) : 0.0);
      std::fflush(stdout);
    }
  const double evals_par_s = toute_duree > 0 ? toutes_evaluations / (toute_duree / 1000.0) : 0.0;
  if (const double nps = noeuds_par_seconde_stockfish(); nps > 0)
    std::printf("evals_per_s=%.0f stockfish_nodes_per_s=%.0f ratio=%.2f\n", evals_par_s, nps, evals_par_s / nps);
  else
    std::printf("evals_per_s=%.0f stockfish_nodes_per_s=none\n", evals_par_s);
  return 0;
}
