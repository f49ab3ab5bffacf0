// The number of legal move sequences of a given depth from the shared
// position (perft), counted with the rules every caller plays by:
// coup_valide, execute_coup, the own-king test, sauve_etat and restaure_etat.
// Shared by the rules tests and bench_perft_bench.
#pragma once

#include <cstdint>

#include "chess/coups.h"
#include "chess/etat.h"
#include "chess/regles.h"

inline uint64_t compte_coups(int couleur, int profondeur) {
  if (profondeur <= 0) return 1;
  uint64_t total = 0;
  static const int choix[4] = {TYPE_DAME, TYPE_TOUR, TYPE_FOU, TYPE_CAVALIER};
  for (int cs = 1; cs <= 8; ++cs)
    for (int ls = 1; ls <= 8; ++ls) {
      const int code = tab_echiquier.brut(cs, ls);
      if (code == CASE_VIDE || couleur_piece(code) != couleur) continue;
      for (int cd = 1; cd <= 8; ++cd)
        for (int ld = 1; ld <= 8; ++ld) {
          if (!coup_valide(code, cs, ls, tab_echiquier.brut(cd, ld), cd, ld)) continue;
          const bool promotion = type_piece(code) == TYPE_PION && (ld == 1 || ld == 8);
          for (int i = 0; i < (promotion ? 4 : 1); ++i) {
            const EtatPlateau avant = sauve_etat();
            execute_coup(cs, ls, cd, ld, promotion ? choix[i] : 0);
            if (echecs_au_roi(couleur) == 0)
              total += profondeur == 1 ? 1 : compte_coups(couleur_adverse(couleur), profondeur - 1);
            restaure_etat(avant);
          }
        }
    }
  return total;
}

// Positions and their published counts at depths 1 to 4.
struct CasCompte {
  const char* fen;
  uint64_t attendus[4];
};
inline constexpr CasCompte comptes_publies[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", {20, 400, 8902, 197281}},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", {48, 2039, 97862, 4085603}},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", {14, 191, 2812, 43238}},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -", {6, 264, 9467, 422333}},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", {44, 1486, 62379, 2103487}},
};
