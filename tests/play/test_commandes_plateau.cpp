// The game commands on the board window: set-up, hint, draw offer,
// resignation, the comment button, copy and paste from the menu.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/evaluation.h"
#include "chess/poids.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/fenetres.h"
#include "platform/boites.h"
#include "platform/minuterie.h"
#include "play/commandes_partie.h"
#include "play/conseil.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/mise_en_place.h"
#include "play/nulle_abandon.h"
#include "play/rejoue.h"
#include "tests/play/aide_plateau.h"

using plateforme::BoitesEnTest;

namespace {

class Commandes : public TestPlateau {
 protected:
  void SetUp() override {
    TestPlateau::SetUp();
    reinitialise_poids();
    profondeur_max[1] = 1;
  }
  void TearDown() override {
    ferme_connexion_reseau() = nullptr;
    TestPlateau::TearDown();
  }
  void rejoue(const char* movetext) {
    ControlesPartie c = p->controles();
    texte_partie = movetext;
    rejoue_partie(c, couleur_joueur);
  }
  int nb_pieces() const {
    int n = 0;
    for (int c = 1; c <= 8; ++c)
      for (int l = 1; l <= 8; ++l) n += p->Echiquier->Piece(c, l) != CASE_VIDE;
    return n;
  }
};

// A position where Black has lost its queen and both rooks.
const char* const NOIR_PERDU[8] = {
    "..b.kbn.",  //
    "pppppppp",  //
    "........",  //
    "........",  //
    "........",  //
    "........",  //
    "PPPPPPPP",  //
    "RNBQKBNR",  //
};

}  // namespace

// --- Set-up ----------------------------------------------------------------------

TEST_F(Commandes, LaMiseEnPlaceDuMenuOuvreLePlateauEtLeVide) {
  ASSERT_EQ(plateau::existante(), nullptr);
  texte_partie = "1.e4 e5";
  resultat_partie = "1-0";
  menu_position_Click();
  p = plateau::existante();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(nb_pieces(), 0);
  EXPECT_EQ(etat_clic, 99);
  EXPECT_EQ(piece_choisie, 0);
  EXPECT_EQ(couleur_joueur, BLANC);
  EXPECT_EQ(dernier_trait, NOIR);
  EXPECT_TRUE(p->Frame1->isVisibleTo(p));
  EXPECT_FALSE(p->Command3->isEnabled());
  EXPECT_EQ(p->List1->count(), 0);
  EXPECT_TRUE(historique_positions.empty());
  EXPECT_EQ(texte_partie, "") << "a clean game record";
  EXPECT_EQ(resultat_partie, "*");
  for (int code = 2; code <= 13; ++code) EXPECT_FALSE(p->Piece[code]->pixmap().isNull()) << code;

  // A second time: the same state.
  menu_position_Click();
  EXPECT_EQ(plateau::existante(), p);
  EXPECT_EQ(nb_pieces(), 0);
  EXPECT_EQ(etat_clic, 99);
  EXPECT_TRUE(historique_positions.empty());
}

TEST_F(Commandes, LaPaletteChoisitPuisRelache) {
  ouvre();
  entre_mise_en_place(*p);
  QTest::mouseClick(p->Piece[ROI_BLANC], Qt::LeftButton);
  EXPECT_EQ(piece_choisie, 1);
  EXPECT_EQ(p->piece_levee, ROI_BLANC);
  QTest::mouseClick(p->Piece[ROI_BLANC], Qt::LeftButton);
  EXPECT_EQ(piece_choisie, 0) << "a second click drops the pick";
  QTest::mouseClick(p->Piece[DAME_NOIRE], Qt::LeftButton);
  QTest::mouseClick(p->Piece[TOUR_NOIRE], Qt::LeftButton);
  EXPECT_EQ(piece_choisie, 0) << "another picture while one is picked only drops it";
  EXPECT_EQ(p->piece_levee, DAME_NOIRE);
  // A square clicked without a pick is emptied; with one it gets the piece.
  pose_piece(CAVALIER_BLANC, "c3");
  EXPECT_EQ(controle("c3"), CAVALIER_BLANC);
  clic("c3");
  EXPECT_EQ(controle("c3"), CASE_VIDE);
}

TEST_F(Commandes, SansLesDeuxRoisLaMiseEnPlaceContinue) {
  ouvre();
  entre_mise_en_place(*p);
  pose_piece(ROI_BLANC, "e1");
  BoitesEnTest::repond(boite::OK);
  EXPECT_FALSE(Command4_Click(*p));
  ASSERT_EQ(BoitesEnTest::vues().size(), 1);
  EXPECT_EQ(BoitesEnTest::vues()[0].texte, texte(176));
  EXPECT_EQ(etat_clic, 99);
  EXPECT_TRUE(p->Frame1->isVisibleTo(p));
  // A bad move number is refused too.
  pose_piece(ROI_NOIR, "e8");
  p->texte_coup->setText(QStringLiteral("abc"));
  BoitesEnTest::repond(boite::OK);
  EXPECT_FALSE(Command4_Click(*p));
  EXPECT_EQ(BoitesEnTest::vues().back().texte, texte(233));
  p->texte_coup->setText(QStringLiteral("0"));
  BoitesEnTest::repond(boite::OK);
  EXPECT_FALSE(Command4_Click(*p));
  EXPECT_EQ(etat_clic, 99);
}

TEST_F(Commandes, LaPartieCommenceAuNumeroDuChamp) {
  ouvre();
  entre_mise_en_place(*p);
  pose_piece(ROI_BLANC, "e1");
  pose_piece(ROI_NOIR, "e8");
  pose_piece(PION_BLANC, "e2");
  p->texte_coup->setText(QStringLiteral("50"));
  QTest::mouseClick(p->Command4, Qt::LeftButton);
  EXPECT_EQ(etat_clic, 0);
  EXPECT_FALSE(p->Frame1->isVisibleTo(p));
  EXPECT_TRUE(p->Command3->isEnabled());
  EXPECT_EQ(p->List1->count(), 0);
  ASSERT_EQ(historique_positions.size(), 1u);
  EXPECT_EQ(historique_positions[0], chaine_position_de([this](int c, int l) { return p->Echiquier->Piece(c, l); }));
  EXPECT_EQ(tableau("e2"), PION_BLANC);
  EXPECT_EQ(numero_coup, 49);
  EXPECT_EQ(dernier_trait, NOIR);
  EXPECT_TRUE(lignes_commentaire().contains(texte(175)));
  // White moves first, numbered as the field said.
  coup("e2", "e4");
  EXPECT_EQ(lignes_liste(), QStringList{QStringLiteral(" 50.e2-e4")});
}

TEST_F(Commandes, LaMiseEnPlaceTourneLePlateauAvecLesBlancsEnBas) {
  couleur_joueur = NOIR;
  ouvre();
  ASSERT_EQ(couleur_joueur, NOIR);
  rejoue("1.e4 e5 ");
  entre_mise_en_place(*p);
  EXPECT_EQ(couleur_joueur, BLANC);
  EXPECT_EQ(p->repere[0]->text(), QStringLiteral("a")) << "the coordinates follow the board";
  pose_piece(ROI_BLANC, "e1");
  pose_piece(ROI_NOIR, "e8");
  pose_piece(PION_BLANC, "d2");
  EXPECT_EQ(p->Echiquier->Piece(4, 7), PION_BLANC) << "d2 drawn with White at the bottom";
  ASSERT_TRUE(Command4_Click(*p));
  coup("d2", "d4");
  EXPECT_EQ(controle("d4"), PION_BLANC) << "the pawn moves up the board";
  EXPECT_EQ(roque_interdit[BLANC], -1) << "no rook: no castling";
}

TEST_F(Commandes, LaCouleurChangeePendantLaMiseEnPlaceTourneLaPosition) {
  // The machine's White move from the set-up is its search's (the rook takes
  // the queen), neither the default first move nor the book's e2-e4.
  const struct { const char* nom; int mode; bool livre; bool machine; } cas[] = {
      {"against the machine", 1, false, true}, {"the book on", 1, true, true}, {"two players", 2, false, false}};
  for (const auto& c : cas) {
    SCOPED_TRACE(c.nom);
    mode_jeux = c.mode;
    ouverture_defaut[1] = c.livre ? QString() : QStringLiteral("e4");
    active_base_con[1] = c.livre ? 1 : 0;
    if (c.livre) cree_base_ouvertures({QStringLiteral("1.e4 *")});
    couleur_joueur = BLANC;
    ouvre();
    entre_mise_en_place(*p);
    for (const auto& [code, nom] : {std::pair{ROI_BLANC, "g1"}, {ROI_NOIR, "g8"}, {PION_NOIR, "h7"},
                                    {TOUR_BLANCHE, "a1"}, {PION_BLANC, "e2"}, {DAME_NOIRE, "a6"}})
      pose_piece(code, nom);
    p->texte_coup->setText(QStringLiteral("1"));
    couleur_joueur = NOIR;  // as the preferences may do meanwhile
    ASSERT_TRUE(Command4_Click(*p));
    EXPECT_EQ(tableau("a6"), c.machine ? TOUR_BLANCHE : DAME_NOIRE);
    EXPECT_EQ(tableau("e2"), PION_BLANC);
    EXPECT_EQ(p->List1->count(), c.machine ? 1 : 0);
    EXPECT_EQ(p->Echiquier->Piece(2, 1), ROI_BLANC) << "g1 seen from Black's side";
    EXPECT_EQ(p->Echiquier->Piece(1, 7), PION_NOIR) << "h7 seen from Black's side";
    EXPECT_EQ(tab_echiquier(2, 1), ROI_BLANC);
    db_eco.ferme();
    fenetres::decharge<plateau>();
  }
}

TEST_F(Commandes, ProgrammerDemandeConfirmation) {
  ouvre();
  coup("e2", "e4");
  BoitesEnTest::repond(boite::NON);
  QTest::mouseClick(p->Command2, Qt::LeftButton);
  EXPECT_EQ(BoitesEnTest::vues().back().texte, texte(92));
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(p->List1->count(), 1);
  BoitesEnTest::repond(boite::OUI);
  QTest::mouseClick(p->Command2, Qt::LeftButton);
  EXPECT_EQ(etat_clic, 99);
  EXPECT_EQ(nb_pieces(), 0);
}

// --- Hint ------------------------------------------------------------------------

TEST_F(Commandes, LeConseilNommeUnCoupSansRienJouer) {
  ouvre();
  const std::string avant = texte_partie;
  const auto histoire = historique_positions;
  p->Echiquier->trace_cercle(1, 1, 255, 0.5f, 1, 2);  // a drawing left from before
  int traces_pendant = -1;
  BoitesEnTest::temoin([this, &traces_pendant](const plateforme::BoiteVue&) { traces_pendant = p->Echiquier->nb_traces(); });
  BoitesEnTest::repond(boite::OK);
  QTest::mouseClick(p->Command3, Qt::LeftButton);
  EXPECT_GE(traces_pendant, 2) << "the move's line and circle are shown with the box";
  ASSERT_EQ(BoitesEnTest::vues().size(), 1);
  const plateforme::BoiteVue& v = BoitesEnTest::vues()[0];
  EXPECT_TRUE(v.texte.startsWith(texte(333) + QStringLiteral(" 1."))) << v.texte.toStdString();
  EXPECT_TRUE(v.texte.contains(texte(334)));
  EXPECT_TRUE(v.texte.endsWith(QStringLiteral(")")));
  EXPECT_EQ(v.style, boite::INFORMATION);
  EXPECT_EQ(numero_coup, 0) << "the move number raised for the search is put back";
  EXPECT_EQ(p->Echiquier->nb_traces(), 0) << "the drawings go with the box";
  EXPECT_EQ(historique_positions, histoire);
  EXPECT_EQ(p->List1->count(), 0);
  EXPECT_EQ(texte_partie, avant);
  EXPECT_EQ(controle("e2"), PION_BLANC);
}

TEST_F(Commandes, LeConseilPourLesNoirsNeTouchePasAuNumero) {
  ouvre();
  coup("e2", "e4");
  ASSERT_EQ(dernier_trait, BLANC);
  const int numero = numero_coup;
  BoitesEnTest::repond(boite::OK);
  Command3_Click(*p);
  ASSERT_EQ(BoitesEnTest::vues().size(), 1);
  EXPECT_FALSE(BoitesEnTest::vues()[0].texte.startsWith(texte(333) + QStringLiteral(" 2."))) << "a Black move has no number";
  EXPECT_EQ(numero_coup, numero);
}

TEST_F(Commandes, PasDeConseilPendantLaMiseEnPlace) {
  ouvre();
  entre_mise_en_place(*p);
  Command3_Click(*p);
  EXPECT_TRUE(BoitesEnTest::vues().isEmpty());
}

// --- Draw offer -------------------------------------------------------------------

TEST_F(Commandes, LaNulleEstRefuseeAvantLeCoupOnze) {
  ouvre();
  pose_position(NOIR_PERDU);
  numero_coup = 10;
  BoitesEnTest::repond(boite::OK);
  menu_propose_nul_Click();
  ASSERT_EQ(BoitesEnTest::vues().size(), 1);
  const float eb = evalue_position(BLANC), en = evalue_position(NOIR);
  ASSERT_LT(en, 0.0f);
  EXPECT_EQ(BoitesEnTest::vues()[0].texte, texte(335) + QStringLiteral("\r\n") + texte_evaluations(eb, en));
  EXPECT_EQ(BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
  EXPECT_EQ(p->List1->count(), 0);
  EXPECT_EQ(resultat_partie, "*");
}

TEST_F(Commandes, LaNulleEstAccepteeAuCoupOnzeQuandLaMachineEstMoinsBien) {
  ouvre();
  pose_position(NOIR_PERDU);
  numero_coup = 11;
  p->Timer5->Interval(1000);
  BoitesEnTest::repond(boite::NON);
  menu_propose_nul_Click();
  EXPECT_EQ(p->List1->count(), 0) << "No changes nothing";
  BoitesEnTest::repond(boite::OUI);
  menu_propose_nul_Click();
  ASSERT_EQ(BoitesEnTest::vues().size(), 2);
  EXPECT_TRUE(BoitesEnTest::vues()[1].texte.startsWith(texte(336) + QStringLiteral("\r\n") + texte(115)));
  EXPECT_TRUE(BoitesEnTest::vues()[1].texte.endsWith(QStringLiteral("\r\n\r\n") + texte(114)));
  EXPECT_EQ(lignes_liste(), QStringList{QStringLiteral("1/2-1/2")});
  EXPECT_EQ(resultat_partie, "1/2-1/2");
  EXPECT_EQ(historique_positions.size(), 2u);
  EXPECT_EQ(p->Timer1->Interval(), 0);
  EXPECT_EQ(p->Timer2->Interval(), 0);
  EXPECT_EQ(p->Timer5->Interval(), 0);
  // The game has its result: a new offer asks nothing.
  menu_propose_nul_Click();
  EXPECT_EQ(BoitesEnTest::vues().size(), 2);
}

TEST_F(Commandes, SeuleLEvaluationDeLaMachineDecide) {
  ouvre();
  pose_position(NOIR_PERDU);
  numero_coup = 20;
  // The human has Black: the machine's side is White, which stands well.
  couleur_joueur = NOIR;
  BoitesEnTest::repond(boite::OK);
  menu_propose_nul_Click();
  EXPECT_TRUE(BoitesEnTest::vues().back().texte.startsWith(texte(335)));
  couleur_joueur = BLANC;
  BoitesEnTest::repond(boite::NON);
  menu_propose_nul_Click();
  EXPECT_TRUE(BoitesEnTest::vues().back().texte.startsWith(texte(336)));
  // Two players at one board: the machine answers all the same, for the side
  // that is not the human's.
  mode_jeux = 2;
  BoitesEnTest::repond(boite::NON);
  menu_propose_nul_Click();
  EXPECT_TRUE(BoitesEnTest::vues().back().texte.startsWith(texte(336)));
  couleur_joueur = NOIR;
  BoitesEnTest::repond(boite::OK);
  menu_propose_nul_Click();
  EXPECT_TRUE(BoitesEnTest::vues().back().texte.startsWith(texte(335)));
}

TEST_F(Commandes, UneEvaluationNulleNeSuffitPas) {
  ouvre();
  numero_coup = 11;
  ASSERT_EQ(evalue_position(NOIR), 0.0f) << "the start position is balanced";
  BoitesEnTest::repond(boite::OK);
  menu_propose_nul_Click();
  EXPECT_TRUE(BoitesEnTest::vues().back().texte.startsWith(texte(335)));
  EXPECT_TRUE(BoitesEnTest::vues().back().texte.contains(texte(115) + QStringLiteral(" 0") + texte(116) + QStringLiteral(" 0")));
}

TEST_F(Commandes, EnReseauLaNulleEstEnvoyee) {
  mode_jeux = 3;
  ouvre();
  QStringList envois;
  liens_jeu().envoie_reseau = [&envois](const QString& m) { envois << m; };
  // Before the game runs on its connection nothing is asked or sent.
  bool active = false;
  liens_jeu().partie_reseau_active = [&active] { return active; };
  menu_propose_nul_Click();
  EXPECT_TRUE(BoitesEnTest::vues().isEmpty());
  active = true;
  BoitesEnTest::repond(boite::NON);
  menu_propose_nul_Click();
  EXPECT_TRUE(envois.isEmpty());
  EXPECT_EQ(BoitesEnTest::vues()[0].texte, texte(328) + QStringLiteral("\r\n") + texte(328));
  BoitesEnTest::repond(boite::OUI);
  menu_propose_nul_Click();
  EXPECT_EQ(envois, QStringList{QStringLiteral("/")});
  EXPECT_EQ(p->List1->count(), 0);
}

TEST(TexteEvaluations, PointEtBlancDevantLesNombresPositifs) {
  EXPECT_EQ(texte_evaluations(12.5f, -3.25f), texte(115) + QStringLiteral(" 12.5") + texte(116) + QStringLiteral("-3.25"));
}

// --- Resignation -------------------------------------------------------------------

TEST_F(Commandes, AbandonnerFermeLePlateau) {
  ouvre();
  BoitesEnTest::repond(boite::NON);
  menu_abandon_Click();
  EXPECT_NE(plateau::existante(), nullptr);
  BoitesEnTest::repond(boite::OUI);
  menu_abandon_Click();
  EXPECT_EQ(plateau::existante(), nullptr);
  EXPECT_EQ(BoitesEnTest::vues()[0].texte, texte(92));
}

TEST_F(Commandes, LeBoutonAbandonnerFermeLePlateauApresSonClic) {
  ouvre();
  BoitesEnTest::repond(boite::OUI);
  QTest::mouseClick(p->Command1, Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(plateau::existante(), nullptr);
}

TEST_F(Commandes, AbandonEnReseauFermeLaConnexionDesDeuxCotes) {
  mode_jeux = 3;
  int fermetures = 0;
  ferme_connexion_reseau() = [&fermetures] { ++fermetures; };
  for (int serveur : {1, 0}) {
    ip_mode_serveur = serveur;
    fermetures = 0;
    ouvre();
    BoitesEnTest::repond(boite::NON);
    menu_abandon_Click();
    EXPECT_EQ(fermetures, 0) << "no resignation, the connection stays";
    BoitesEnTest::repond(boite::OUI);
    menu_abandon_Click();
    EXPECT_EQ(plateau::existante(), nullptr);
    EXPECT_GE(fermetures, 1) << serveur;
  }
  ferme_connexion_reseau() = nullptr;
}

// --- Menu copy and paste, comment button ------------------------------------------------

TEST_F(Commandes, CopierEtCollerDepuisLeMenu) {
  ouvre();
  coup("e2", "e4");
  menu_copie_position_Click(2);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"));
  // Pasting during set-up leaves it.
  entre_mise_en_place(*p);
  menu_coller_position_Click();
  EXPECT_EQ(etat_clic, 0);
  EXPECT_FALSE(p->Frame1->isVisibleTo(p));
  EXPECT_TRUE(p->Command3->isEnabled());
  EXPECT_EQ(controle("e4"), PION_BLANC);
  EXPECT_EQ(dernier_trait, BLANC);
  coup("e7", "e5");
  EXPECT_EQ(controle("e5"), PION_NOIR);
}

TEST_F(Commandes, LeBoutonCommentaire) {
  ouvre();
  coup("e2", "e4");
  p->List1->setCurrentRow(0);
  BoitesEnTest::saisit(QStringLiteral("best by test"));
  QTest::mouseClick(p->note, Qt::LeftButton);
  ASSERT_GE(commentaires_coups.size(), 2u);
  EXPECT_EQ(commentaires_coups[1], "best by test");
}

// --- While the machine plays ------------------------------------------------------

TEST_F(Commandes, RienNeBougePendantQueLaMachineJoue) {
  ouvre();
  coup("e2", "e4");
  numero_coup = 11;
  const auto histoire = historique_positions;
  const QStringList liste = lignes_liste();
  const QString presse = QStringLiteral("4k3/8/8/8/8/8/8/R3K3 w Q - 0 1");
  QGuiApplication::clipboard()->setText(presse);
  // Resigning asks, as at any time (No here); the draw offer waits for a
  // search, and none runs.
  BoitesEnTest::repond(boite::NON);
  BoitesEnTest::repond(boite::NON);
  {
    GardeMachine garde;
    menu_coller_position_Click();
    menu_copie_position_Click(2);
    menu_modif_coup_Click();
    menu_propose_nul_Click();
    menu_abandon_Click();
    QTest::mouseClick(p->Command2, Qt::LeftButton);
    QTest::mouseClick(p->Command3, Qt::LeftButton);
    QTest::mouseClick(p->Command1, Qt::LeftButton);
    menu_position_Click();
    texte_partie = "1.d4 ";
    rejoue_partie();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(BoitesEnTest::textes(), QStringList({texte(92), texte(92)}));
  ASSERT_EQ(plateau::existante(), p);
  EXPECT_EQ(historique_positions, histoire);
  EXPECT_EQ(lignes_liste(), liste);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), presse);
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(controle("e4"), PION_BLANC);
  EXPECT_EQ(controle("d4"), CASE_VIDE);
  EXPECT_EQ(resultat_partie, "*");

  // A set-up cannot end while the machine plays either.
  entre_mise_en_place(*p);
  pose_piece(ROI_BLANC, "e1");
  pose_piece(ROI_NOIR, "e8");
  {
    GardeMachine garde;
    EXPECT_FALSE(Command4_Click(*p));
  }
  EXPECT_EQ(etat_clic, 99);
  // Once the machine is done, the same commands work.
  EXPECT_TRUE(Command4_Click(*p));
  menu_coller_position_Click();
  EXPECT_EQ(controle("a1"), TOUR_BLANCHE);
  EXPECT_EQ(historique_positions.size(), 1u);
}

// --- The replay as the loaders call it ----------------------------------------------

TEST_F(Commandes, LeRejeuDesChargeursOuvreLePlateauEtQuitteLaMiseEnPlace) {
  texte_partie = "1.e4 e5 2.Nf3 ";
  rejoue_partie();
  p = plateau::existante();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(lignes_liste().size(), 3);
  EXPECT_EQ(dernier_trait, BLANC);

  entre_mise_en_place(*p);
  couleur_joueur = NOIR;
  texte_partie = "1.d4 ";
  rejoue_partie();
  EXPECT_EQ(etat_clic, 0);
  EXPECT_FALSE(p->Frame1->isVisibleTo(p));
  EXPECT_EQ(controle("d4"), PION_BLANC);
  EXPECT_EQ(p->Echiquier->Piece(5, 4), PION_BLANC) << "d4 seen from Black's side";
  EXPECT_EQ(p->repere[0]->text(), QStringLiteral("h"));
}
