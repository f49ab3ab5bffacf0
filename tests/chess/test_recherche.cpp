// The machine search: its choice on small positions added up by hand, ties,
// the mate and stalemate answers, the depth and ALPHA_BETA rules, castling,
// what it shows and traces, and the board after an error, in both
// orientations.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "chess/etat.h"
#include "chess/evaluation.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "chess/regles.h"
#include "platform/boites.h"
#include "tests/chess/aide_moteur.h"
#include "tests/chess/observateur_enregistre.h"

using namespace essai;

namespace {

class Recherche : public EnDeuxOrientations {
 protected:
  void TearDown() override {
    installe_observateur_recherche(nullptr);
    EnDeuxOrientations::TearDown();
  }
  // A search from depth 0 as the machine-move routine starts it.
  std::string cherche(int couleur, int affichage = 0) {
    reinitialise_recherche();
    cs = ls = cd = ld = 77;
    return choix_coup_machine(cs, ls, cd, ld, couleur, note, affichage);
  }
  std::string coup() const { return nom_de(cs, ls) + "-" + nom_de(cd, ld); }
  bool roi_attaque(int couleur) const {
    for (int c = 1; c <= 8; ++c)
      for (int l = 1; l <= 8; ++l) {
        const int p = tab_echiquier(c, l);
        if (type_piece(p) == TYPE_ROI && couleur_piece(p) == couleur) return nb_attaques(p, c, l, couleur) > 0;
      }
    return false;
  }
  int cs = 77, ls = 77, cd = 77, ld = 77;
  float note = 0;
};

}  // namespace

TEST_P(Recherche, LoneKingAddsUpByHand) {
  // Move 20. Every king move costs malus_roi 100. On b1 or a2 the white king
  // reaches 5 squares at 7, on b2 eight; the black king in its corner 3:
  // b1 and a2 score -100 + 35 - 21 = -86, b2 -100 + 56 - 21 = -65.
  pose("Ka1 kh8");
  numero_coup = 20;
  EXPECT_EQ(cherche(BLANC), " 20.Ra1-b2");
  EXPECT_EQ(coup(), "a1-b2");
  EXPECT_EQ(note, -65.0f);
  // The king, then its targets b1, c1 (castling refused), a2, a3 (refused), b2.
  EXPECT_EQ(nb_coups_testes, 6);
  EXPECT_EQ(nb_positions_evaluees, 3);
  EXPECT_EQ(meilleures_notes[0], -65.0f);
  EXPECT_EQ(meilleures_notes[1], -999999.0f);
  EXPECT_EQ(piece_en("a1"), ROI_BLANC);  // the board is as it was
  EXPECT_EQ(piece_en("b2"), CASE_VIDE);
}

TEST_P(Recherche, TiesGoToTheFirstMoveInGenerationOrder) {
  // With b2 taken by its own pawn, b1 and a2 score alike: the lines come
  // first and along them b1 is met before a2 in either orientation.
  pose("Ka1 Pb2 kh8");
  numero_coup = 20;
  int c2 = 0, l2 = 0;
  float meilleure = -999999.0f;
  cherche_coup_piece(col_de("a1"), lig_de("a1"), c2, l2, meilleure);
  EXPECT_EQ(nom_de(c2, l2), "b1");
  // A later move must score strictly higher: the same note does not replace.
  int c3 = 0, l3 = 0;
  float seuil = meilleure;
  cherche_coup_piece(col_de("a1"), lig_de("a1"), c3, l3, seuil);
  EXPECT_EQ(c3, 0);
  EXPECT_EQ(seuil, meilleure);

  // Between pieces: a position that is its own mirror image. The two knights
  // have mirrored best moves of equal notes; the knight met first in the scan
  // row by row from the top left of the board as drawn wins.
  pose("Nb1 Ng1 pa7 ph7");
  numero_coup = 3;
  float note_b = -999999.0f, note_g = -999999.0f;
  int x = 0, y = 0;
  cherche_coup_piece(col_de("b1"), lig_de("b1"), x, y, note_b);
  cherche_coup_piece(col_de("g1"), lig_de("g1"), x, y, note_g);
  ASSERT_EQ(note_b, note_g);
  cherche(BLANC);
  EXPECT_EQ(nom_de(cs, ls), couleur_joueur == BLANC ? "b1" : "g1");
  EXPECT_EQ(note, note_b);
}

TEST_P(Recherche, MateAndStalemateAtTheTop) {
  pose("kh8 Qg7 Kf6");
  EXPECT_EQ(cherche(NOIR), "MAT");
  EXPECT_EQ(note, -999999.0f);
  EXPECT_EQ(cs, 77);  // the squares keep the caller's values
  EXPECT_EQ(ld, 77);
  pose("kh8 Qf7 Kg6");
  EXPECT_EQ(cherche(NOIR), "PAT");
  pose("Kh1 qf2 kg3");
  EXPECT_EQ(cherche(BLANC), "PAT");
  pose("Kh1 qg2 kg3");
  EXPECT_EQ(cherche(BLANC), "MAT");
  // A side without a king and without a move is not mated.
  pose("Pe4 pe5 kh8");
  EXPECT_EQ(cherche(BLANC), "PAT");
}

TEST_P(Recherche, BelowTheTopTheTopColourIsMatedWhenItCannotMove) {
  pose("kh8 Qf7 Kg6");
  reinitialise_recherche();
  profondeur_courante = 1;
  EXPECT_EQ(choix_coup_machine(cs, ls, cd, ld, NOIR, note, 0), couleur_joueur == NOIR ? "PAT" : "MAT");
  pose("Kh1 qf2 kg3");
  EXPECT_EQ(choix_coup_machine(cs, ls, cd, ld, BLANC, note, 0), couleur_joueur == BLANC ? "PAT" : "MAT");
  pose("kh8 Qg7 Kf6");
  EXPECT_EQ(choix_coup_machine(cs, ls, cd, ld, NOIR, note, 0), "MAT");
  EXPECT_EQ(profondeur_courante, 1);
}

TEST_P(Recherche, NeverLeavesItsOwnKingAttacked) {
  // The white queen could take the black queen, but the king is in check
  // from e8: only king moves and the block on e2 are moves.
  pose("Ke1 Qd1 re8 qh5 kh8");
  numero_coup = 12;
  for (float valeur_dame : {900.0f, 100000.0f}) {
    note_materiel[indice_type(1, TYPE_DAME)] = valeur_dame;
    for (int niveau : {0, 1}) {
      profondeur_max[1] = niveau;
      const TableauCases avant = tab_echiquier;
      const std::string texte = cherche(BLANC);
      ASSERT_NE(texte, "MAT");
      EXPECT_NE(coup(), "d1-h5");
      EXPECT_EQ(tab_echiquier, avant);
      const int piece = tab_echiquier(cs, ls);
      tab_echiquier(cs, ls) = CASE_VIDE;
      tab_echiquier(cd, ld) = piece;
      EXPECT_FALSE(roi_attaque(BLANC)) << texte;
      tab_echiquier = avant;
    }
  }
}

TEST_P(Recherche, LevelZeroSearchesNoReplyAndTheLevelIsClampedToThree) {
  pose("Ka1 kh8");
  numero_coup = 20;
  profondeur_max[1] = 0;
  cherche(BLANC);
  EXPECT_EQ(note, -65.0f);
  profondeur_max[1] = -4;  // a hand-edited settings file
  cherche(BLANC);
  EXPECT_EQ(note, -65.0f);
  EXPECT_EQ(nb_positions_evaluees, 3);

  pose("Ka1 Pc3 kh8");
  profondeur_max[1] = 3;
  const std::string trois = cherche(BLANC);
  const float note_trois = note;
  const long coups_trois = nb_coups_testes, positions_trois = nb_positions_evaluees;
  profondeur_max[1] = 9;
  EXPECT_EQ(cherche(BLANC), trois);
  EXPECT_EQ(note, note_trois);
  EXPECT_EQ(nb_coups_testes, coups_trois);
  EXPECT_EQ(nb_positions_evaluees, positions_trois);
  // A caller that starts at the unclamped level searches no reply either.
  reinitialise_recherche();
  profondeur_courante = 9;
  EXPECT_NE(choix_coup_machine(cs, ls, cd, ld, BLANC, note, 0), "MAT");
  EXPECT_EQ(nb_positions_evaluees, 4);  // the king to b1, a2, b2 and the pawn one step
  EXPECT_EQ(profondeur_courante, 9);
}

TEST_P(Recherche, AlphaBetaSkipsTheRepliesOfTheFirstPieceAtTheTop) {
  pose("Ka1 kh8");
  numero_coup = 20;
  profondeur_max[1] = 2;
  cherche(BLANC);
  const long sans_coupure = nb_positions_evaluees;
  EXPECT_GT(sans_coupure, 3);
  EXPECT_NE(meilleures_notes[1], -999999.0f);
  alpha_beta[1] = 1;
  cherche(BLANC);
  // The only piece is the first one: its moves keep their own notes.
  EXPECT_EQ(nb_positions_evaluees, 3);
  EXPECT_EQ(note, -65.0f);
  EXPECT_EQ(meilleures_notes[1], -999999.0f);
}

TEST_P(Recherche, CastlingEarnsItsNoteAfterTheReplies) {
  pose("Ke1 Rh1 Pf2 Pg2 Ph2 Pa2 ke8 pa7");
  numero_coup = 20;
  EXPECT_EQ(cherche(BLANC), " 20.O-O");
  EXPECT_EQ(coup(), "e1-g1");
  note_roque[1] = 5000.0f;
  cherche(BLANC);
  const float avec_5000 = note;
  note_roque[1] = 5800.0f;
  cherche(BLANC);
  EXPECT_EQ(note - avec_5000, 800.0f);
  // At level 1 the note is added after the reply is taken off.
  profondeur_max[1] = 1;
  cherche(BLANC);
  const float niveau_un = note;
  note_roque[1] = 5000.0f;
  cherche(BLANC);
  EXPECT_EQ(niveau_un - note, 800.0f);
  EXPECT_EQ(coup(), "e1-g1");
  // No castling once the flag is set.
  roque_interdit[BLANC] = 1;
  EXPECT_NE(cherche(BLANC), " 20.O-O");
  EXPECT_NE(coup(), "e1-g1");
}

TEST_P(Recherche, TraceLinesAndWhatTheWindowsShow) {
  ObservateurEnregistre obs;
  obs.trace = true;
  obs.commentaire = true;
  obs.calcul = "ancien";
  obs.barre = 2;
  installe_observateur_recherche(&obs);
  pose("Ka1 kh8");
  numero_coup = 20;
  EXPECT_EQ(cherche(BLANC, 1), " 20.Ra1-b2");
  const std::vector<std::string> attendu = {
      "* Recherche meilleur coup N° 20 (BLANC) - début : 12:00:00",
      " ... 20.Ra1-b2 - note : (-65)",
      " * Selection : ( 20.Ra1-b2) note (-65) - end : 12:00:00",
  };
  EXPECT_EQ(obs.lignes, attendu);
  EXPECT_EQ(obs.calcul, "...20.Ra1-b2(-65)ancien");
  EXPECT_EQ(obs.icones, std::vector<int>{ROI_BLANC});
  EXPECT_EQ(obs.titres, std::vector<std::string>{"20.Ra1-b2... "});
  EXPECT_EQ(obs.nb_laisse_passer, 1);
  EXPECT_EQ(obs.derniers_compteurs.coups, 6);
  EXPECT_EQ(obs.derniers_compteurs.positions, 3);
  EXPECT_EQ(obs.derniers_compteurs.note, -65.0f);
  EXPECT_EQ(obs.valeurs_barre, std::vector<int>{0});

  // Black's search, one level down: indented header and trailer, no
  // candidate line, and the status bar still follows.
  obs.lignes.clear();
  reinitialise_recherche();
  profondeur_courante = 1;
  choix_coup_machine(cs, ls, cd, ld, NOIR, note, 1);
  ASSERT_EQ(obs.lignes.size(), 2u);
  EXPECT_EQ(obs.lignes[0], "    * Recherche meilleur coup N° 20 (NOIR) - début : 12:00:00");
  EXPECT_EQ(obs.lignes[1].rfind("     * Selection : ( ", 0), 0u);
  EXPECT_EQ(obs.valeurs_barre.back(), 1);

  // Without the display flag nothing is shown or traced, but the counters
  // and the depth bar are.
  obs = ObservateurEnregistre();
  obs.trace = obs.commentaire = true;
  installe_observateur_recherche(&obs);
  cherche(BLANC, 0);
  EXPECT_TRUE(obs.lignes.empty());
  EXPECT_TRUE(obs.calcul.empty());
  EXPECT_TRUE(obs.titres.empty());
  EXPECT_EQ(obs.nb_compteurs, 1);
  // Trace off and comment window unchecked: the caption alone.
  obs.trace = obs.commentaire = false;
  cherche(BLANC, 1);
  EXPECT_TRUE(obs.lignes.empty());
  EXPECT_TRUE(obs.calcul.empty());
  EXPECT_EQ(obs.titres.size(), 1u);
}

TEST_P(Recherche, CandidatesAreTracedAndListedNewestFirst) {
  ObservateurEnregistre obs;
  obs.trace = obs.commentaire = true;
  installe_observateur_recherche(&obs);
  place_position_depart();
  numero_coup = 1;
  profondeur_max[1] = 1;
  const std::string texte = cherche(BLANC, 1);
  ASSERT_GE(obs.lignes.size(), 3u);
  // Every candidate line has its entry in the comment text, newest first.
  std::string calcul;
  for (size_t i = 1; i + 1 < obs.lignes.size(); ++i) {
    const std::string& l = obs.lignes[i];
    ASSERT_EQ(l.rfind(" ... ", 0), 0u) << l;
    const auto sep = l.find(" - note : (");
    ASSERT_NE(sep, std::string::npos);
    calcul = "..." + l.substr(5, sep - 5) + "(" + l.substr(sep + 11, l.size() - sep - 12) + ")" + calcul;
  }
  EXPECT_EQ(obs.calcul, calcul);
  // The last candidate is the move chosen; one icon and caption per candidate.
  EXPECT_EQ(obs.lignes[obs.lignes.size() - 2].substr(5, texte.size() - 1), texte.substr(1));
  EXPECT_EQ(obs.titres.size(), obs.lignes.size() - 2);
  // One yield per own piece at every depth: 16 at the top, 16 for each of
  // White's 20 moves.
  EXPECT_EQ(obs.nb_laisse_passer, 16 + 20 * 16);
}

TEST_P(Recherche, AnErrorLeavesTheBoardAsItWas) {
  ObservateurEnregistre obs;
  installe_observateur_recherche(&obs);
  place_position_depart();
  numero_coup = 1;
  profondeur_max[1] = 1;
  const TableauCases avant = tab_echiquier;
  // The first yield inside a reply: the error ends the search of the white
  // piece being tried, with a message, and the search goes on.
  bool leve = false;
  obs.pendant_laisse_passer = [&](long) {
    if (profondeur_courante == 1 && !leve) {
      leve = true;
      throw std::runtime_error("Erreur pendant la recherche");
    }
  };
  plateforme::BoitesEnTest::repond(boite::OK);
  const std::string texte = cherche(BLANC);
  EXPECT_EQ(plateforme::BoitesEnTest::textes(), QStringList{QStringLiteral("Erreur pendant la recherche")});
  EXPECT_EQ(tab_echiquier, avant);
  EXPECT_EQ(profondeur_courante, 0);
  EXPECT_NE(texte, "MAT");
  EXPECT_FALSE(recherche_en_cours());

  // An error in the yield of the top search reaches the caller.
  obs.nb_laisse_passer = 0;
  obs.pendant_laisse_passer = [](long n) {
    if (n == 1) throw std::runtime_error("Erreur au premier niveau");
  };
  EXPECT_THROW(cherche(BLANC), std::runtime_error);
  EXPECT_EQ(tab_echiquier, avant);
  EXPECT_FALSE(recherche_en_cours());
}

TEST_P(Recherche, NoSecondSearchWhileOneRuns) {
  ObservateurEnregistre obs;
  installe_observateur_recherche(&obs);
  pose("Ka1 kh8");
  int refusees = 0;
  obs.pendant_laisse_passer = [&](long) {
    EXPECT_TRUE(recherche_en_cours());
    int a = 0, b = 0, c = 0, d = 0;
    float n = 0;
    EXPECT_THROW(choix_coup_machine(a, b, c, d, NOIR, n, 0), RechercheEnCours);
    EXPECT_THROW(cherche_coup_piece(col_de("h8"), lig_de("h8"), c, d, n), RechercheEnCours);
    ++refusees;
  };
  cherche(BLANC);
  EXPECT_EQ(refusees, 1);
  EXPECT_FALSE(recherche_en_cours());
  EXPECT_EQ(coup(), "a1-b2");
}

TEST_P(Recherche, SameInputsSameAnswer) {
  pose_fen("r1bqkb1r/pppp1ppp/2n2n2/4p3/2B1P3/5N2/PPPP1PPP/RNBQK2R w KQkq - 4 4");
  profondeur_max[1] = 1;
  alpha_beta[1] = 1;
  const std::string premier = cherche(BLANC);
  const float n1 = note;
  const long c1 = nb_coups_testes, p1 = nb_positions_evaluees;
  EXPECT_EQ(cherche(BLANC), premier);
  EXPECT_EQ(note, n1);
  EXPECT_EQ(nb_coups_testes, c1);
  EXPECT_EQ(nb_positions_evaluees, p1);
}

INSTANTIATE_TEST_SUITE_P(DeuxOrientations, Recherche, ::testing::Values(BLANC, NOIR));
