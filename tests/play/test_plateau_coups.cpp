// Moves by mouse on the board window: the click states, every refusal,
// castling, en passant, promotion, the move list and the game record, the
// repetition question, continuing from an earlier move.
#include <gtest/gtest.h>

#include <QLabel>
#include <QRegularExpression>
#include <QStatusBar>
#include <string>
#include <utility>
#include <vector>

#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "platform/fenetres.h"
#include "platform/evenements.h"
#include "platform/minuterie.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "tests/play/aide_machine.h"
#include "tests/play/aide_plateau.h"

using Coups = TestPlateau;
using boite::OUI;
using boite::NON;

namespace {
QStringList boites() { return plateforme::BoitesEnTest::textes(); }
}  // namespace

TEST_F(Coups, UnClicSurUneCaseVideNeFaitRien) {
  ouvre();
  clic("e4");
  EXPECT_EQ(etat_clic, 0);
  EXPECT_TRUE(sons_joues().isEmpty());
  EXPECT_TRUE(boites().isEmpty());
}

TEST_F(Coups, LeverUnePieceNeVideQueLaCaseDuControle) {
  plateau& w = ouvre();
  clic("e2");
  EXPECT_EQ(etat_clic, 1);
  EXPECT_EQ(controle("e2"), CASE_VIDE);
  EXPECT_EQ(tableau("e2"), PION_BLANC) << "the board array keeps it until the destination";
  EXPECT_EQ(w.piece_levee, PION_BLANC);
  EXPECT_EQ(sons_joues(), (QList<int>{2}));
  EXPECT_EQ(w.cursor().shape(), Qt::BitmapCursor) << "the pointer shows the piece";
  // Back on its own square: no move, no sound, no message.
  clic("e2");
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(controle("e2"), PION_BLANC);
  EXPECT_TRUE(sons_joues().isEmpty());
  EXPECT_NE(w.cursor().shape(), Qt::BitmapCursor);
  EXPECT_TRUE(lignes_liste().isEmpty());
}

TEST_F(Coups, LesNoirsNeCommencentPas) {
  ouvre();
  plateforme::BoitesEnTest::repond(boite::OK);
  clic("e7");
  EXPECT_EQ(boites(), QStringList{texte(151)});
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(controle("e7"), PION_NOIR);
}

// While it thinks, the person's pieces too (its side is to move): said, not lifted.
TEST_F(Coups, ContreLaMachineLesPiecesAdversesSontRefusees) {
  mode_jeux = 1;
  ouvre();
  dernier_trait = BLANC;  // even with Black to move
  const struct { bool recherche; const char* nom_case; int refus; } cas[] = {
      {false, "d7", 150}, {true, "d7", 150}, {true, "d2", 151}};
  for (const auto& c : cas) {
    plateforme::BoitesEnTest::efface();
    plateforme::BoitesEnTest::repond(boite::OK);
    const auto garde = c.recherche ? std::make_unique<GardeMachine>() : nullptr;
    clic(c.nom_case);
    EXPECT_EQ(boites(), QStringList{texte(c.refus)}) << c.nom_case << (c.recherche ? " during the search" : "");
    EXPECT_EQ(etat_clic, 0);
    EXPECT_NE(controle(c.nom_case), CASE_VIDE);
  }
}

TEST_F(Coups, UnCoupJoueEstEcritRejoueEtPasseLaMain) {
  plateau& w = ouvre();
  coup("e2", "e4");
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(controle("e4"), PION_BLANC);
  EXPECT_EQ(tableau("e4"), PION_BLANC);
  EXPECT_EQ(tableau("e2"), CASE_VIDE);
  EXPECT_EQ(lignes_liste(), QStringList{" 1.e2-e4"});
  EXPECT_EQ(w.List1->currentRow(), 0);
  EXPECT_EQ(numero_coup, 1);
  EXPECT_EQ(dernier_trait, BLANC);
  EXPECT_EQ(passant_blanc, colonne_de("e3") * 10 + ligne_de("e3"));
  EXPECT_EQ(historique_positions.size(), 2u);
  EXPECT_EQ(texte_partie, "1.e4");
  EXPECT_EQ(texte_partie_longue, "1.e2-e4");
  EXPECT_TRUE(w.windowTitle().startsWith("Partie en cours - [1.e4] - Evaluation : [")) << w.windowTitle().toStdString();
  EXPECT_EQ(w.panneau(1)->text(), " 1.e2-e4");
  EXPECT_EQ(sons_joues(), (QList<int>{2, 3}));
  EXPECT_EQ(w.Timer1->Interval(), 0) << "White has moved";
  EXPECT_EQ(w.Timer2->Interval(), 1000);
  EXPECT_EQ(notes_coups.size(), 2u) << "mode 2 keeps the move's evaluation";
  EXPECT_EQ(notes_coups[1], derniere_note);
}

TEST_F(Coups, UnePartieCourteRemplitLaListeEtLesTextesDeLaPartie) {
  ouvre();
  coup("e2", "e4");
  coup("e7", "e5");
  coup("g1", "f3");
  coup("b8", "c6");
  coup("f1", "b5");
  coup("a7", "a6");
  coup("b5", "c6");
  EXPECT_EQ(lignes_liste(), (QStringList{" 1.e2-e4", "    ..... e7-e5", " 2.Ng1-f3", "    ..... Nb8-c6",
                                         " 3.Bf1-b5", "    ..... a7-a6", " 4.Bb5xc6"}));
  EXPECT_EQ(texte_partie, "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Bxc6");
  EXPECT_EQ(texte_partie_longue, "1.e2-e4 e7-e5 2.Ng1-f3 Nb8-c6 3.Bf1-b5 a7-a6 4.Bb5xc6");
  EXPECT_EQ(numero_coup, 4);
  EXPECT_EQ(historique_positions.size(), 8u);
  EXPECT_EQ(lignes_commentaire().last(), "- " + texte(162) + nom_piece(CAVALIER_NOIR) + texte(163));
}

TEST_F(Coups, EnNotationFrancaiseLaListeAUtiliseLesLettresFrancaises) {
  style_notation = 1;
  ouvre();
  coup("g1", "f3");
  EXPECT_EQ(lignes_liste(), QStringList{" 1.Cg1-f3"});
  EXPECT_EQ(texte_partie, "1.Nf3") << "the game record keeps English letters";
}

// A refused move: the piece goes back to its square on the control and in
// tab_echiquier, the comment window says why, nothing is written.
TEST_F(Coups, UnCoupRefuseRemetLaPieceSurLeControleEtDansLeTableau) {
  static const char* const cloue[8] = {
      "....k...", "....r...", "........", "........", "........", "........", "....B...", "....K...",
  };
  static const char* const rois[8] = {
      "........", "........", "........", "....k...", "........", "....K...", "........", "........",
  };
  struct Cas {
    const char* pourquoi;
    const char* const* position;  // nullptr: the start position
    const char* depart;
    const char* arrivee;
    QStringList messages;
    int piece;
  };
  const Cas cas[] = {
      {"a move against the rules", nullptr, "e2", "e5", {texte(143)}, PION_BLANC},
      {"a friendly piece on the arrival square", nullptr, "g1", "e2", {texte(143)}, CAVALIER_BLANC},
      {"a pinned piece gives both messages", cloue, "e2", "d3", {texte(172), texte(143)}, FOU_BLANC},
      {"the king may not come next to the other king", rois, "e3", "e4", {texte(172), texte(143)}, ROI_BLANC},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.pourquoi);
    ouvre();
    if (c.position) pose_position(c.position);
    const int arrivee = controle(c.arrivee);
    coup(c.depart, c.arrivee);
    EXPECT_EQ(lignes_commentaire(), c.messages);
    EXPECT_EQ(controle(c.depart), c.piece);
    EXPECT_EQ(tableau(c.depart), c.piece);
    EXPECT_EQ(controle(c.arrivee), arrivee);
    EXPECT_EQ(etat_clic, 0);
    EXPECT_EQ(sons_joues(), (QList<int>{2, 0}));
    EXPECT_TRUE(lignes_liste().isEmpty());
    EXPECT_EQ(dernier_trait, NOIR);
    // The control and the array agree on every square.
    for (int col = 1; col <= 8; ++col)
      for (int l = 1; l <= 8; ++l) ASSERT_EQ(p->Echiquier->Piece(col, l), tab_echiquier(col, l)) << col << "," << l;
    fenetres::decharge<plateau>();
    decharge_comment();
  }
}

// Castling on both wings with either colour at the bottom.
struct CasRoque {
  int bas;
  const char* roi_depart;
  const char* roi_arrivee;
  const char* tour_depart;
  const char* tour_arrivee;
  const char* texte;
};

class Roques : public TestPlateau, public ::testing::WithParamInterface<CasRoque> {};

TEST_P(Roques, LeRoiEtLaTourPassentEnsemble) {
  const CasRoque& cas = GetParam();
  couleur_joueur = cas.bas;
  ouvre();
  garde_rois_et_tours();
  const bool noirs = cas.roi_depart[1] == '8';
  if (noirs) coup("a2", "a3");
  coup(cas.roi_depart, cas.roi_arrivee);
  const int tour = noirs ? TOUR_NOIRE : TOUR_BLANCHE;
  EXPECT_EQ(controle(cas.roi_arrivee), noirs ? ROI_NOIR : ROI_BLANC);
  EXPECT_EQ(controle(cas.tour_arrivee), tour);
  EXPECT_EQ(tableau(cas.tour_arrivee), tour);
  EXPECT_EQ(controle(cas.tour_depart), CASE_VIDE);
  EXPECT_EQ(tableau(cas.tour_depart), CASE_VIDE);
  EXPECT_EQ(roque_interdit[noirs ? NOIR : BLANC], -1);
  EXPECT_EQ(roque_interdit[noirs ? BLANC : NOIR], 0);
  EXPECT_EQ(lignes_commentaire().last(), "- " + texte(166));
  EXPECT_TRUE(lignes_liste().last().endsWith(cas.texte)) << lignes_liste().last().toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    DeuxOrientations, Roques,
    ::testing::Values(CasRoque{BLANC, "e1", "g1", "h1", "f1", "O-O"}, CasRoque{BLANC, "e1", "c1", "a1", "d1", "O-O-O"},
                      CasRoque{BLANC, "e8", "g8", "h8", "f8", "O-O"}, CasRoque{BLANC, "e8", "c8", "a8", "d8", "O-O-O"},
                      CasRoque{NOIR, "e1", "g1", "h1", "f1", "O-O"}, CasRoque{NOIR, "e1", "c1", "a1", "d1", "O-O-O"},
                      CasRoque{NOIR, "e8", "g8", "h8", "f8", "O-O"}, CasRoque{NOIR, "e8", "c8", "a8", "d8", "O-O-O"}));

// The h-rook leaves its corner and comes back: its wing is lost, the other
// one is not. For either side, with either colour at the bottom.
struct CasAile {
  int bas;
  bool noirs;
};

class AileParAile : public TestPlateau, public ::testing::WithParamInterface<CasAile> {};

TEST_P(AileParAile, LaTourHQuiRevientLaisseLeGrandRoqueEtPasLePetit) {
  const CasAile& cas = GetParam();
  couleur_joueur = cas.bas;
  ouvre();
  garde_rois_et_tours();
  const int camp = cas.noirs ? NOIR : BLANC;
  const std::string r = cas.noirs ? "8" : "1";
  auto sq = [&r](const char* fichier) { return std::string(fichier) + r; };
  // The rook's way out and back, the other side waiting with its a-pawn.
  const std::vector<std::pair<std::string, std::string>> coups =
      cas.noirs ? std::vector<std::pair<std::string, std::string>>{{"a2", "a3"}, {"h8", "g8"}, {"a3", "a4"}, {"g8", "h8"}, {"a4", "a5"}}
                : std::vector<std::pair<std::string, std::string>>{{"h1", "g1"}, {"a7", "a6"}, {"g1", "h1"}, {"a6", "a5"}};
  for (const auto& [de, vers] : coups) coup(de.c_str(), vers.c_str());
  ASSERT_EQ(controle(sq("h").c_str()), cas.noirs ? TOUR_NOIRE : TOUR_BLANCHE);
  EXPECT_FALSE(roque_permis(camp, AILE_ROI));
  EXPECT_TRUE(roque_permis(camp, AILE_DAME));
  const int n = lignes_liste().size();

  // O-O is refused: the king goes back.
  coup(sq("e").c_str(), sq("g").c_str());
  EXPECT_EQ(lignes_commentaire().last(), texte(143));
  EXPECT_EQ(controle(sq("e").c_str()), cas.noirs ? ROI_NOIR : ROI_BLANC);
  EXPECT_EQ(controle(sq("h").c_str()), cas.noirs ? TOUR_NOIRE : TOUR_BLANCHE);
  EXPECT_EQ(lignes_liste().size(), n);

  // O-O-O is played.
  coup(sq("e").c_str(), sq("c").c_str());
  EXPECT_EQ(controle(sq("c").c_str()), cas.noirs ? ROI_NOIR : ROI_BLANC);
  EXPECT_EQ(controle(sq("d").c_str()), cas.noirs ? TOUR_NOIRE : TOUR_BLANCHE);
  EXPECT_EQ(controle(sq("a").c_str()), CASE_VIDE);
  ASSERT_EQ(lignes_liste().size(), n + 1);
  EXPECT_TRUE(lignes_liste().last().endsWith("O-O-O")) << lignes_liste().last().toStdString();
  EXPECT_EQ(roque_interdit[camp], -1);
  EXPECT_EQ(roque_interdit[couleur_adverse(camp)], 0) << "the other side has moved only its a-pawn";
}

INSTANTIATE_TEST_SUITE_P(CampsEtOrientations, AileParAile,
                         ::testing::Values(CasAile{BLANC, false}, CasAile{BLANC, true}, CasAile{NOIR, false},
                                           CasAile{NOIR, true}));

TEST_F(Coups, UneTourPriseDansSonCoinEnleveSonAileASonCamp) {
  ouvre();
  const char* const position[8] = {
      "r...k..r",  //
      "........",  //
      "........",  //
      "........",  //
      "........",  //
      "........",  //
      "........",  //
      "R...K..R",  //
  };
  pose_position(position);
  coup("a1", "a8");
  EXPECT_FALSE(roque_permis(NOIR, AILE_DAME));
  EXPECT_TRUE(roque_permis(NOIR, AILE_ROI));
  EXPECT_FALSE(roque_permis(BLANC, AILE_DAME)) << "the rook has left a1";
  EXPECT_TRUE(roque_permis(BLANC, AILE_ROI));
}

TEST_F(Coups, SansTourDansLeCoinLeRoqueEstRefuseEtNeCreeRien) {
  ouvre();
  const char* const position[8] = {
      "....k...",  //
      "........",  //
      "........",  //
      "........",  //
      "........",  //
      "........",  //
      "........",  //
      "R...K...",  //
  };
  pose_position(position);
  coup("e1", "g1");
  EXPECT_EQ(lignes_commentaire().last(), texte(143));
  EXPECT_EQ(controle("f1"), CASE_VIDE);
  EXPECT_EQ(tableau("f1"), CASE_VIDE);
  EXPECT_EQ(controle("e1"), ROI_BLANC);
  coup("e1", "c1");
  EXPECT_EQ(controle("d1"), TOUR_BLANCHE);
  EXPECT_EQ(controle("a1"), CASE_VIDE);
}

TEST_F(Coups, LaPriseEnPassantEnleveLePionEtEcritUnSeulMessage) {
  ouvre();
  coup("e2", "e4");
  coup("a7", "a6");
  coup("e4", "e5");
  coup("d7", "d5");
  const int avant = lignes_commentaire().size();
  coup("e5", "d6");
  EXPECT_EQ(controle("d6"), PION_BLANC);
  EXPECT_EQ(controle("d5"), CASE_VIDE);
  EXPECT_EQ(tableau("d5"), CASE_VIDE);
  EXPECT_EQ(lignes_liste().last(), " 3.e5xd6e.p.");
  EXPECT_EQ(texte_partie, "1.e4 a6 2.e5 d5 3.exd6e.p.");
  const QStringList messages = lignes_commentaire().mid(avant);
  EXPECT_EQ(messages, QStringList{"- " + texte(162) + nom_piece(PION_BLANC) + texte(165) + texte(163)});
}

TEST_F(Coups, UnePriseEnPassantQuiDecouvreSonRoiEstRefusee) {
  ouvre();
  const char* const position[8] = {
      "....k...",  //
      "...p....",  //
      "........",  //
      "K...P..r",  //
      "........",  //
      "........",  //
      "........",  //
      "........",  //
  };
  pose_position(position);
  dernier_trait = BLANC;
  coup("d7", "d5");
  // exd6 would take both pawns off the fifth row and leave the king to the rook.
  coup("e5", "d6");
  EXPECT_EQ(lignes_commentaire().mid(lignes_commentaire().size() - 2), (QStringList{texte(172), texte(143)}));
  EXPECT_EQ(controle("d5"), PION_NOIR);
  EXPECT_EQ(controle("e5"), PION_BLANC);
  EXPECT_EQ(controle("d6"), CASE_VIDE);
}

class Promotion : public TestPlateau {
 protected:
  void pose_pion_en_septieme() {
    seuil_note_haut = 1.0e9f;  // no evaluation mark on these texts
    const char* const position[8] = {
        "....k...",  //
        ".P......",  //
        "........",  //
        "........",  //
        "........",  //
        "........",  //
        "........",  //
        "....K...",  //
    };
    pose_position(position);
  }
};

TEST_F(Promotion, EnNotationAnglaiseLaReponseQDonneUneDame) {
  style_notation = 2;
  ouvre();
  pose_pion_en_septieme();
  plateforme::BoitesEnTest::saisit("q");
  coup("b7", "b8");
  EXPECT_EQ(controle("b8"), DAME_BLANCHE);
  EXPECT_EQ(tableau("b8"), DAME_BLANCHE);
  EXPECT_EQ(lignes_liste().last(), " 1.b7-b8=Q+");
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_TRUE(plateforme::BoitesEnTest::vues()[0].saisie);
  EXPECT_TRUE(plateforme::BoitesEnTest::vues()[0].texte.startsWith(texte(171)));
}

TEST_F(Promotion, LesLettresDUneAutreNotationSontRedemandees) {
  style_notation = 2;
  ouvre();
  pose_pion_en_septieme();
  for (const char* r : {"D", "K", "QR", "n"}) plateforme::BoitesEnTest::saisit(r);
  coup("b7", "b8");
  EXPECT_EQ(plateforme::BoitesEnTest::vues().size(), 4);
  EXPECT_EQ(controle("b8"), CAVALIER_BLANC);
  EXPECT_EQ(lignes_liste().last(), " 1.b7-b8=N");
}

TEST_F(Promotion, EnNotationFrancaiseDEstLaDameEtQEstRefuse) {
  style_notation = 1;
  ouvre();
  pose_pion_en_septieme();
  plateforme::BoitesEnTest::saisit("Q");
  plateforme::BoitesEnTest::saisit("t");
  coup("b7", "b8");
  EXPECT_EQ(controle("b8"), TOUR_BLANCHE);
  EXPECT_EQ(lignes_liste().last(), " 1.b7-b8=T+");
}

TEST_F(Promotion, AnnulerLaQuestionAbandonneLeCoup) {
  ouvre();
  pose_pion_en_septieme();
  plateforme::BoitesEnTest::saisit("");
  coup("b7", "b8");
  EXPECT_EQ(controle("b7"), PION_BLANC);
  EXPECT_EQ(tableau("b7"), PION_BLANC);
  EXPECT_EQ(controle("b8"), CASE_VIDE);
  EXPECT_EQ(tableau("b8"), CASE_VIDE);
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(dernier_trait, NOIR);
  EXPECT_EQ(numero_coup, 0);
  EXPECT_TRUE(lignes_liste().isEmpty());
}

TEST_F(Promotion, LesNoirsEnBasPromeuventVersLeHautAussi) {
  couleur_joueur = NOIR;
  style_notation = 2;
  ouvre();
  // The side at the bottom moves up the screen: Black's pawn promotes on row 1.
  const char* const position[8] = {
      "...K....",  //
      "......p.",  //
      "........",  //
      "........",  //
      "........",  //
      "........",  //
      "........",  //
      "...k....",  //
  };
  pose_position(position);
  dernier_trait = BLANC;
  plateforme::BoitesEnTest::saisit("Q");
  clic(7, 2);
  clic(7, 1);
  EXPECT_EQ(p->Echiquier->Piece(7, 1), DAME_NOIRE);
  EXPECT_EQ(tab_echiquier(7, 1), DAME_NOIRE);
}

TEST_F(Coups, LaDeuxiemeRepetitionProposeLaNulle) {
  plateau& w = ouvre();
  // Each cycle of four half-moves comes back to the start position.
  const char* cycle[4][2] = {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"}};
  for (auto& c : cycle) coup(c[0], c[1]);
  EXPECT_TRUE(boites().isEmpty()) << "one repetition asks nothing";
  for (int i = 0; i < 3; ++i) coup(cycle[i][0], cycle[i][1]);
  plateforme::BoitesEnTest::repond(NON);
  coup(cycle[3][0], cycle[3][1]);
  EXPECT_EQ(boites(), QStringList{texte(337)});
  EXPECT_EQ(resultat_partie, "*");
  EXPECT_EQ(w.Timer1->Interval(), 1000) << "No: the game goes on, the clocks switch";
  plateforme::BoitesEnTest::efface();
  for (int i = 0; i < 3; ++i) {
    plateforme::BoitesEnTest::repond(NON);
    coup(cycle[i][0], cycle[i][1]);
  }
  plateforme::BoitesEnTest::efface();
  plateforme::BoitesEnTest::repond(OUI);
  coup(cycle[3][0], cycle[3][1]);
  EXPECT_EQ(resultat_partie, "1/2-1/2");
  EXPECT_EQ(lignes_liste().last(), "1/2-1/2");
  // The move that repeats the position stays in both movetexts.
  EXPECT_EQ(demi_coups(texte_partie).size(), 12u);
  EXPECT_TRUE(QString::fromStdString(texte_partie).endsWith("Ng8")) << texte_partie;
  EXPECT_TRUE(QString::fromStdString(texte_partie_longue).endsWith("Nf6-g8")) << texte_partie_longue;
  EXPECT_EQ(w.List1->currentRow(), w.List1->count() - 1);
  EXPECT_EQ(historique_positions.size(), static_cast<size_t>(w.List1->count()) + 1);
  EXPECT_EQ(w.windowTitle(), texte(169) + " - " + texte(168));
  EXPECT_EQ(w.Timer1->Interval(), 0);
  EXPECT_EQ(w.Timer2->Interval(), 0);
  EXPECT_EQ(w.Timer5->Interval(), 0);
  // No move after the result.
  const QStringList liste = lignes_liste();
  coup("e2", "e4");
  EXPECT_EQ(lignes_liste(), liste);
  EXPECT_EQ(controle("e2"), PION_BLANC);
  EXPECT_EQ(etat_clic, 0);
}

TEST_F(Coups, UnDrapeauTombePendantLaQuestionDeLaNulleGardeSonResultat) {
  plateau& w = ouvre();
  const char* cycle[4][2] = {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"}};
  for (auto& c : cycle) coup(c[0], c[1]);
  for (int i = 0; i < 3; ++i) coup(cycle[i][0], cycle[i][1]);
  // Black's clock runs out while the draw is being asked; the answer comes after.
  w.regle_horloge(false, 1);
  plateforme::BoitesEnTest::temoin([&w](const plateforme::BoiteVue& v) {
    if (v.texte != texte(337)) return;
    plateforme::BoitesEnTest::temoin(nullptr);
    EXPECT_TRUE(w.Timer2->tick());
  });
  plateforme::BoitesEnTest::repond(boite::OK);  // the loss on time
  plateforme::BoitesEnTest::repond(OUI);  // the draw, too late
  coup(cycle[3][0], cycle[3][1]);
  EXPECT_EQ(resultat_partie, "1-0");
  EXPECT_EQ(lignes_liste().filter(QRegularExpression("^(1-0|0-1|1/2-1/2)$")), QStringList{"1-0"});
  EXPECT_TRUE(QString::fromStdString(texte_partie).endsWith("Ng8")) << texte_partie;
  for (plateforme::Minuterie* t : {w.Timer1, w.Timer2, w.Timer5}) EXPECT_EQ(t->Interval(), 0);
}

class Continuation : public TestPlateau {
 protected:
  void joue_quatre_coups() {
    coup("e2", "e4");
    coup("e7", "e5");
    coup("g1", "f3");
    coup("b8", "c6");
  }
};

TEST_F(Continuation, ContinuerApresLeCoupAdverseCoupeLaPartie) {
  plateau& w = ouvre();
  joue_quatre_coups();
  // The board shows the position after line 1, as the navigation puts it there.
  const std::string apres_e5 = historique_positions[2];
  for (int c = 1; c <= 8; ++c)
    for (int l = 1; l <= 8; ++l) {
      const int code = apres_e5[static_cast<size_t>((c - 1) * 8 + l - 1)] - 32;
      w.Echiquier->Piece(c, l, code);
      tab_echiquier(c, l) = code;
    }
  w.List1->setCurrentRow(1);
  dernier_trait = NOIR;
  plateforme::BoitesEnTest::repond(OUI);
  coup("f1", "c4");
  EXPECT_EQ(boites(), QStringList{texte(177)});
  EXPECT_EQ(lignes_liste(), (QStringList{" 1.e2-e4", "    ..... e7-e5", " 2.Bf1-c4"}));
  EXPECT_EQ(texte_partie, "1.e4 e5 2.Bc4");
  EXPECT_EQ(texte_partie_longue, "1.e2-e4 e7-e5 2.Bf1-c4");
  EXPECT_EQ(numero_coup, 2);
  EXPECT_EQ(historique_positions.size(), 4u);
  EXPECT_EQ(resultat_partie, "*");
}

TEST_F(Continuation, RefuserLaContinuationRemetLaPiece) {
  ouvre();
  joue_quatre_coups();
  p->List1->setCurrentRow(1);
  plateforme::BoitesEnTest::repond(NON);
  coup("f1", "c4");
  EXPECT_EQ(lignes_liste().size(), 4);
  EXPECT_EQ(controle("f1"), FOU_BLANC);
  EXPECT_EQ(tableau("f1"), FOU_BLANC);
  EXPECT_EQ(etat_clic, 0);
}

TEST_F(Continuation, UnCoupPropreSelectionneEstRefuse) {
  ouvre();
  joue_quatre_coups();
  p->List1->setCurrentRow(2);  // White's own move
  plateforme::BoitesEnTest::repond(boite::OK);
  coup("f1", "c4");
  EXPECT_EQ(boites(), QStringList{texte(151)});
  EXPECT_EQ(lignes_liste().size(), 4);
  EXPECT_EQ(controle("f1"), FOU_BLANC);
}

TEST_F(Coups, LesMarquesDEvaluationEtDEchecSuiventLeCoup) {
  ouvre();
  seuil_note_haut = -1.0e9f;
  coup("e2", "e4");
  EXPECT_EQ(lignes_liste().last(), " 1.e2-e4!");
  EXPECT_TRUE(QList<int>({3, 9}).contains(sons_joues().last()));
  seuil_note_haut = 1.0e9f;
  seuil_note_bas = 1.0e9f;
  coup("f7", "f6");
  EXPECT_EQ(lignes_liste().last(), "    ..... f7-f6?");
  EXPECT_TRUE(QList<int>({3, 11}).contains(sons_joues().last()));
  seuil_note_bas = -1.0e9f;
  coup("d1", "h5");
  EXPECT_EQ(lignes_liste().last(), " 2.Qd1-h5+");
  EXPECT_TRUE(QList<int>({3, 8}).contains(sons_joues().last()));
  EXPECT_EQ(texte_partie, "1.e4 f6 2.Qh5");
}

TEST_F(Coups, ContreLaMachineLaMachineRepondSousLeSablier) {
  mode_jeux = 1;
  int appels = 0;
  bool sablier_pendant = false;
  liens_jeu().joue_machine = [&] {
    ++appels;
    sablier_pendant = plateforme::curseur_attente_actif();
    return true;
  };
  ouvre();
  coup("e2", "e4");
  EXPECT_EQ(appels, 1);
  EXPECT_TRUE(sablier_pendant);
  EXPECT_FALSE(plateforme::curseur_attente_actif());
  EXPECT_EQ(notes_coups.size(), 0u) << "mode 1 keeps no evaluation here";
}

TEST_F(Coups, EnJeuLibreLaMachineNeRepondPas) {
  int appels = 0;
  liens_jeu().joue_machine = [&] { return ++appels > 0; };
  ouvre();
  coup("e2", "e4");
  coup("e7", "e5");
  EXPECT_EQ(appels, 0);
}

TEST_F(Coups, EnPartieReseauLeCoupPartAvecSesCoordonnees) {
  mode_jeux = 3;
  QStringList envoyes;
  liens_jeu().envoie_coup_reseau = [&](int cs, int ls, int cd, int ld, const QString& t) {
    envoyes << QStringLiteral("%1%2%3%4 %5").arg(cs).arg(ls).arg(cd).arg(ld).arg(t);
  };
  plateau& w = ouvre();
  // The board takes no move before the game has started.
  coup("e2", "e4");
  EXPECT_TRUE(envoyes.isEmpty());
  EXPECT_EQ(w.List1->count(), 0);
  w.Echiquier->Enabled(true);
  coup("e2", "e4");
  EXPECT_EQ(envoyes, QStringList{"5755 1.e2-e4"});
  EXPECT_EQ(w.Timer2->Interval(), 1000) << "the first move starts the clocks";
}

TEST_F(Coups, EnProgrammationUnePieceChoisieSePoseUneFois) {
  plateau& w = ouvre();
  etat_clic = 99;
  piece_choisie = 1;
  w.piece_levee = DAME_NOIRE;
  clic(4, 4);
  EXPECT_EQ(w.Echiquier->Piece(4, 4), DAME_NOIRE);
  EXPECT_EQ(piece_choisie, 0);
  clic(5, 8);
  EXPECT_EQ(w.Echiquier->Piece(5, 8), CASE_VIDE) << "without a new choice the square is emptied";
  EXPECT_EQ(tab_echiquier(5, 8), ROI_BLANC) << "the array is copied only when set-up ends";
  EXPECT_EQ(etat_clic, 99);
}

TEST_F(Coups, UneIconeManquanteLaisseLaPieceEnPlace) {
  ouvre();
  QFile::remove(dossier() + "/images/pieces/Morvandel/8.ico");
  plateforme::BoitesEnTest::repond(boite::OK);
  clic("e2");
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].titre, "Attention");
  EXPECT_EQ(controle("e2"), PION_BLANC);
  EXPECT_EQ(etat_clic, 0);
}
