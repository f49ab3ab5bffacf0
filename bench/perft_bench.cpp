// The move counts of the rules tests at depth 4, in both orientations, timed:
// the rows too large for a sanitizer build run here. One line per position
// and orientation:
//   orientation=O depth=4 nodes=N expected=E ok=1 ms=...
#include <chrono>
#include <cstdio>
#include <optional>

#include "chess/etat.h"
#include "chess/fen.h"
#include "tests/chess/compte_coups.h"

int main() {
  int erreurs = 0;
  for (int orientation : {BLANC, NOIR})
    for (const CasCompte& cas : comptes_publies) {
      reinitialise_etat_jeu();
      couleur_joueur = orientation;
      const std::optional<PositionFen> p = lit_fen(cas.fen, orientation);
      if (!p) {
        std::fprintf(stderr, "not read: %s\n", cas.fen);
        ++erreurs;
        continue;
      }
      applique_position_fen(*p);
      const auto debut = std::chrono::steady_clock::now();
      const uint64_t n = compte_coups(couleur_adverse(dernier_trait), 4);
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - debut).count();
      const bool ok = n == cas.attendus[3];
      erreurs += !ok;
      std::printf("orientation=%d depth=4 nodes=%llu expected=%llu ok=%d ms=%.0f fen=%s\n", orientation,
                  static_cast<unsigned long long>(n), static_cast<unsigned long long>(cas.attendus[3]), ok ? 1 : 0, ms,
                  cas.fen);
      std::fflush(stdout);
    }
  return erreurs == 0 ? 0 : 1;
}
