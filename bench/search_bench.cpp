// Speed of the machine search: for each level 0..3, with ALPHA_BETA off and
// on, one search from depth 0 for the side to move in every position of the
// suite, timed, with the move number joue_machine gives it (White's move N
// is chosen with numero_coup at N). The whole sweep runs several rounds;
// when stockfish is installed (a general chess engine, as a yardstick of the
// machine's speed), its own benchmark runs after each round, so that the two
// alternate under the same load. Lines:
//   level=L alphabeta=A group=G positions=N median_ms=... p99_ms=... worst_ms=... evals=... load=...
// for the whole suite (group=all), the openings and middlegames together
// (group=openings+middlegames) and each group of the file ("# Openings"...),
// a position's time being its median over the rounds; then
//   case=ours_evals ... (median, slowest and fastest round)
//   case=stockfish_nodes ... and the ratio of the medians.
// A position whose chosen move differs between rounds is reported.
// Usage: bench_search_bench [positions file] [highest level] [rounds, 5]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/aide_bench.h"
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
  std::string groupe;
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

// The position on the board with the move number of joue_machine: White's
// move N is searched with numero_coup at N.
void pose(const Position& p) {
  couleur_joueur = BLANC;
  applique_position_fen(p.position);
  if (p.trait == BLANC) ++numero_coup;
}

// A group's name from its heading ("# Middlegames" gives "middlegames",
// "# Positions rich in checks" gives "checks").
std::string nom_groupe(const std::string& titre) {
  std::string mot = titre.substr(titre.find_last_of(' ') + 1);
  for (char& c : mot) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return mot;
}

// Nodes per second of `stockfish bench 16 1 13` (16 MB of hash, one thread,
// depth 13), 0 when stockfish is not there; `plaintes` counts its lines that
// report an error, an unknown command or an illegal move.
double noeuds_par_seconde_stockfish(int& plaintes) {
  FILE* sortie = popen("PATH=\"$PATH:/usr/games\" stockfish bench 16 1 13 2>&1", "r");
  if (!sortie) return 0;
  double nps = 0;
  char ligne[512];
  while (std::fgets(ligne, sizeof ligne, sortie)) {
    if (std::strstr(ligne, "rror") || std::strstr(ligne, "nknown") || std::strstr(ligne, "llegal")) ++plaintes;
    if (const char* p = std::strstr(ligne, "Nodes/second")) {
      if ((p = std::strchr(p, ':'))) nps = std::atof(p + 1);
    }
  }
  pclose(sortie);
  return nps;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string chemin = argc > 1 ? argv[1] : MVD_BENCH_DIR "/positions_recherche.txt";
  const int niveau_max = argc > 2 ? std::clamp(std::atoi(argv[2]), 0, 3) : 3;
  const int tours = argc > 3 ? std::max(5, std::atoi(argv[3])) : 5;
  std::ifstream fichier(chemin);
  if (!fichier) {
    std::fprintf(stderr, "cannot read %s\n", chemin.c_str());
    return 1;
  }
  std::vector<Position> suite;
  std::string groupe = "other";
  for (std::string ligne; std::getline(fichier, ligne);) {
    if (ligne.empty()) continue;
    if (ligne[0] == '#') {
      if (ligne.find(':') == std::string::npos) groupe = nom_groupe(ligne);
      continue;
    }
    Position p;
    if (!lit_position(ligne, p)) {
      std::fprintf(stderr, "skipped: %s\n", ligne.c_str());
      continue;
    }
    p.groupe = groupe;
    suite.push_back(p);
  }
  reinitialise_etat_jeu();
  reinitialise_poids();
  const std::size_t n = suite.size();
  // Per level and setting: each position's times over the rounds, its move.
  struct Reglage {
    std::vector<bench::Mesures> temps;
    std::vector<std::string> coups;
    long evaluations = 0;
  };
  std::vector<Reglage> reglages(static_cast<std::size_t>(niveau_max + 1) * 2);
  for (auto& r : reglages) {
    r.temps.resize(n);
    r.coups.resize(n);
  }
  bench::Mesures nous, stockfish;
  int divergences = 0, plaintes = 0;
  for (int tour = 0; tour < tours; ++tour) {
    long toutes_evaluations = 0;
    double toute_duree = 0;
    for (int niveau = 0; niveau <= niveau_max; ++niveau)
      for (int ab = 0; ab <= 1; ++ab) {
        Reglage& r = reglages[static_cast<std::size_t>(niveau * 2 + ab)];
        profondeur_max[1] = niveau;
        alpha_beta[1] = ab;
        r.evaluations = 0;
        for (std::size_t i = 0; i < n; ++i) {
          pose(suite[i]);
          reinitialise_recherche();
          int cs = 0, ls = 0, cd = 0, ld = 0;
          float note = 0;
          const auto debut = std::chrono::steady_clock::now();
          const std::string texte = choix_coup_machine(cs, ls, cd, ld, suite[i].trait, note, 0);
          const double ms =
              std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
          r.temps[i].ajoute(ms);
          const std::string coup = std::to_string(cs) + std::to_string(ls) + std::to_string(cd) + std::to_string(ld);
          if (tour > 0 && coup != r.coups[i]) {
            ++divergences;
            std::printf("move_differs level=%d alphabeta=%d fen=%s\n", niveau, ab, suite[i].fen.c_str());
          }
          r.coups[i] = coup;
          r.evaluations += nb_positions_evaluees;
          toutes_evaluations += nb_positions_evaluees;
          toute_duree += ms;
        }
      }
    nous.ajoute(toute_duree > 0 ? toutes_evaluations / (toute_duree / 1000.0) : 0.0);
    if (const double nps = noeuds_par_seconde_stockfish(plaintes); nps > 0) stockfish.ajoute(nps);
    std::fprintf(stderr, "round %d of %d done\n", tour + 1, tours);
  }

  std::vector<std::string> groupes = {"all", "openings+middlegames"};
  for (const Position& p : suite)
    if (std::find(groupes.begin(), groupes.end(), p.groupe) == groupes.end()) groupes.push_back(p.groupe);
  auto dans = [](const std::string& g, const Position& p) {
    return g == "all" || g == p.groupe || (g == "openings+middlegames" && (p.groupe == "openings" || p.groupe == "middlegames"));
  };
  for (int niveau = 0; niveau <= niveau_max; ++niveau)
    for (int ab = 0; ab <= 1; ++ab) {
      const Reglage& r = reglages[static_cast<std::size_t>(niveau * 2 + ab)];
      for (const std::string& g : groupes) {
        bench::Mesures m;
        for (std::size_t i = 0; i < n; ++i)
          if (dans(g, suite[i])) m.ajoute(r.temps[i].mediane());
        if (m.vide()) continue;
        std::printf("level=%d alphabeta=%d group=%s positions=%zu%s", niveau, ab, g.c_str(), m.nombre(),
                    bench::resume(m, "ms", 2).c_str());
        if (g == "all") std::printf(" evals=%ld", r.evaluations);
        std::printf("\n");
      }
      std::fflush(stdout);
    }
  // Rates: the worst round is the slowest.
  auto debit = [](const char* cas, const bench::Mesures& m) {
    std::printf("case=%s rounds=%zu median_per_s=%.0f slowest_per_s=%.0f fastest_per_s=%.0f %s", cas, m.nombre(),
                m.mediane(), m.plus_petite(), m.pire(), bench::charge().c_str());
  };
  debit("ours_evals", nous);
  std::printf("\n");
  if (!stockfish.vide()) {
    debit("stockfish_nodes", stockfish);
    std::printf(" peer_messages=%s\n", plaintes == 0 ? "none" : "SOME");
    std::printf("ratio evals_per_s_vs_stockfish_nodes_per_s=%.2f\n", nous.mediane() / stockfish.mediane());
  } else {
    std::printf("case=stockfish missing (install Debian's stockfish for the yardstick)\n");
  }
  std::printf("moves_identical_over_rounds=%s\n", divergences == 0 ? "yes" : "NO");
  return 0;
}
