// The evaluation and the search against their plain statement (the reference
// engine of moteur_reference.cpp) on positions drawn at random from a fixed
// seed, with weights drawn too: the same notes to the bit, the same moves and
// the same counters.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "chess/etat.h"
#include "chess/evaluation.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "chess/regles.h"
#include "tests/chess/aide_moteur.h"
#include "tests/chess/moteur_reference.h"

using namespace essai;

namespace {

class Hasard {
 public:
  explicit Hasard(unsigned graine) : gen_(graine) {}
  int entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen_); }
  bool une_fois_sur(int n) { return entre(1, n) == 1; }

 private:
  std::mt19937 gen_;
};

// Two kings and `nb` other pieces anywhere (pawns on every row, as the search
// leaves them), random orientation, move number, castling and en passant.
void position_au_hasard(Hasard& h, int nb) {
  couleur_joueur = h.entre(BLANC, NOIR);
  tab_echiquier.vide();
  auto case_libre = [&](int& c, int& l) {
    do {
      c = h.entre(1, 8);
      l = h.entre(1, 8);
    } while (tab_echiquier(c, l) != CASE_VIDE);
  };
  int c = 0, l = 0;
  if (h.une_fois_sur(4)) {
    // Kings and rooks at home, for castling.
    pose("Ke1 Ra1 Rh1 ke8 ra8 rh8");
  } else {
    case_libre(c, l);
    tab_echiquier(c, l) = ROI_BLANC;
    int c2 = 0, l2 = 0;
    do case_libre(c2, l2);
    while (std::abs(c2 - c) <= 1 && std::abs(l2 - l) <= 1);
    tab_echiquier(c2, l2) = ROI_NOIR;
  }
  const int codes[] = {PION_BLANC, PION_BLANC, PION_BLANC, TOUR_BLANCHE, CAVALIER_BLANC, FOU_BLANC, DAME_BLANCHE,
                       PION_NOIR,  PION_NOIR,  PION_NOIR,  TOUR_NOIRE,   CAVALIER_NOIR,  FOU_NOIR,  DAME_NOIRE};
  for (int i = 0; i < nb; ++i) {
    case_libre(c, l);
    tab_echiquier(c, l) = codes[h.entre(0, 13)];
  }
  numero_coup = h.entre(1, 30);
  roque_interdit[BLANC] = h.entre(0, 1);
  roque_interdit[NOIR] = h.entre(0, 1);
  passant_blanc = passant_noir = 0;
  if (h.une_fois_sur(3)) (h.entre(0, 1) ? passant_blanc : passant_noir) = h.entre(1, 8) * 10 + h.entre(3, 6);
}

// The factory weights, or weights with terms switched off, fractions, the
// second profile.
void poids_au_hasard(Hasard& h) {
  reinitialise_poids();
  if (h.une_fois_sur(3)) return;
  const int p = h.entre(1, 2);
  profil_moteur = p;
  const float mobilites[] = {0.0f, 0.1f, 0.3f, 1.5f};
  for (int t = TYPE_PION; t <= TYPE_ROI; ++t) {
    note_materiel[indice_type(p, t)] = static_cast<float>(h.entre(0, 12) * 75);
    note_mobilite[indice_type(p, t)] = static_cast<float>(h.entre(0, 8)) * 0.7f;
    mobilite_evolutive[indice_type(p, t)] = mobilites[h.entre(0, 3)];
  }
  indice_defense[p] = h.une_fois_sur(3) ? 0.0f : 2.5f;
  indice_attaque[p] = h.une_fois_sur(3) ? 0.0f : 1.25f;
  note_centre[p] = h.une_fois_sur(3) ? 0.0f : 33.3f;
  seuil_centre[p] = h.entre(0, 30);
  bonus_echec[p] = h.une_fois_sur(3) ? 0.0f : 150.5f;
  seuil_bonus_echec[p] = h.entre(0, 30);
  note_promotion[p] = 650.0f;
  note_roque[p] = static_cast<float>(h.entre(0, 900));
  malus_double[p] = 45.5f;
  malus_roi[p] = static_cast<float>(h.entre(0, 150));
  alpha_beta[p] = h.entre(0, 1);
}

struct Trace {
  std::string texte;
  int cs = 0, ls = 0, cd = 0, ld = 0;
  float note = 0;
  long coups = 0, positions = 0;
  float meilleures[4] = {};
};

Trace avec_le_programme(int couleur) {
  reinitialise_recherche();
  Trace t;
  t.texte = choix_coup_machine(t.cs, t.ls, t.cd, t.ld, couleur, t.note, 0);
  t.coups = nb_coups_testes;
  t.positions = nb_positions_evaluees;
  std::copy(std::begin(meilleures_notes), std::end(meilleures_notes), t.meilleures);
  return t;
}

Trace avec_la_reference(int couleur) {
  reinitialise_recherche();
  Trace t;
  const reference::Choix c = reference::choix_coup_machine(couleur);
  t.texte = c.texte;
  if (c.note != -999999.0f) t.cs = c.col_s, t.ls = c.lig_s, t.cd = c.col_d, t.ld = c.lig_d;
  t.note = c.note;
  t.coups = nb_coups_testes;
  t.positions = nb_positions_evaluees;
  std::copy(std::begin(meilleures_notes), std::end(meilleures_notes), t.meilleures);
  return t;
}

void compare(int couleur, const std::string& contexte) {
  const TableauCases avant = tab_echiquier;
  const Trace a = avec_le_programme(couleur);
  ASSERT_EQ(tab_echiquier, avant) << contexte;
  const Trace b = avec_la_reference(couleur);
  ASSERT_EQ(tab_echiquier, avant) << contexte;
  EXPECT_EQ(a.texte, b.texte) << contexte;
  EXPECT_EQ(a.note, b.note) << contexte;
  EXPECT_EQ(a.cs * 1000 + a.ls * 100 + a.cd * 10 + a.ld, b.cs * 1000 + b.ls * 100 + b.cd * 10 + b.ld) << contexte;
  EXPECT_EQ(a.coups, b.coups) << contexte;
  EXPECT_EQ(a.positions, b.positions) << contexte;
  for (int d = 0; d < 4; ++d) EXPECT_EQ(a.meilleures[d], b.meilleures[d]) << contexte << " depth " << d;
}

std::string decrit(int i) {
  std::string s = "draw " + std::to_string(i) + " cj " + std::to_string(couleur_joueur) + " move " +
                  std::to_string(numero_coup) + " profile " + std::to_string(profil_moteur) + "\n";
  for (int l = 1; l <= 8; ++l) {
    for (int c = 1; c <= 8; ++c) s += lettre_piece(2, tab_echiquier(c, l));
    s += "\n";
  }
  return s;
}

class MoteurReference : public TestMorvandel {};

}  // namespace

TEST_F(MoteurReference, EvaluationMatchesToTheBit) {
  Hasard h(20240611);
  for (int i = 0; i < 1500; ++i) {
    position_au_hasard(h, h.entre(0, 24));
    poids_au_hasard(h);
    profondeur_courante = h.entre(0, 3);
    // Now and then an orientation the program never sets: the pawns' rows of
    // attack and defence then differ, and the evaluation counts them apart.
    if (h.une_fois_sur(10)) couleur_joueur = h.entre(0, 1) ? 1 : 0;
    for (int couleur : {BLANC, NOIR}) {
      const long n = nb_positions_evaluees;
      const float rapide = evalue_position(couleur);
      const float simple = reference::evalue_position(couleur);
      ASSERT_EQ(rapide, simple) << decrit(i) << "colour " << couleur;
      ASSERT_EQ(nb_positions_evaluees, n + 2);
    }
  }
}

TEST_F(MoteurReference, SearchesMatchAtLevelsZeroToTwo) {
  Hasard h(7);
  struct Lot {
    int niveau, nb_positions, pieces_min, pieces_max;
  };
  for (const Lot& lot : {Lot{0, 150, 0, 20}, Lot{1, 30, 0, 8}, Lot{2, 6, 0, 3}}) {
    for (int i = 0; i < lot.nb_positions; ++i) {
      position_au_hasard(h, h.entre(lot.pieces_min, lot.pieces_max));
      poids_au_hasard(h);
      profondeur_max[profil_moteur] = lot.niveau;
      const int couleur = h.entre(BLANC, NOIR);
      compare(couleur, "level " + std::to_string(lot.niveau) + " colour " + std::to_string(couleur) + " " +
                           decrit(i));
      if (HasFailure()) return;
    }
  }
}

TEST_F(MoteurReference, OpeningPositionsMatchAtLevelOneWithAndWithoutAlphaBeta) {
  for (int cj : {BLANC, NOIR}) {
    for (int ab : {0, 1}) {
      couleur_joueur = cj;
      const int trait = pose_fen("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4");
      profondeur_max[1] = 1;
      alpha_beta[1] = ab;
      compare(trait, "italian cj " + std::to_string(cj) + " ab " + std::to_string(ab));
      couleur_joueur = cj;
      const int trait2 = pose_fen("rnbqkbnr/ppp2ppp/8/3pp3/4P3/5Q2/PPPP1PPP/RNB1KBNR b KQkq - 1 3");
      compare(trait2, "queen out cj " + std::to_string(cj) + " ab " + std::to_string(ab));
    }
  }
}
