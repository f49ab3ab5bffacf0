// The machine player: whole games of machine against machine, its answer to a
// human move in both colours, its first move from the default and from the
// book, the end of a game (mate, stalemate, repetition), an error in the
// middle of a move, and the busy guard during a search.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPoint>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/poids.h"
#include "chess/recherche.h"
#include "chess/regles.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/comment.h"
#include "openings/coup_bibliotheque.h"
#include "openings/reglages_ouvertures.h"
#include "platform/evenements.h"
#include "platform/minuterie.h"
#include "play/jeu.h"
#include "play/machine.h"
#include "play/navigation.h"
#include "play/observateur_plateau.h"
#include "play/rejoue.h"
#include "tests/play/aide_machine.h"

using boite::NON;
using boite::OK;
using boite::OUI;

namespace {
QStringList boites() { return plateforme::BoitesEnTest::textes(); }
bool est_resultat(const std::string& r) { return r == "1-0" || r == "0-1" || r == "1/2-1/2"; }
}  // namespace

using MachineContreMachine = TestMachine;
using ContreLaMachine = TestMachine;
using FinDePartie = TestMachine;
using MachineOccupee = TestMachine;

// --- Whole games ----------------------------------------------------------------

TEST_F(MachineContreMachine, UnePartieAuNiveauZeroVaJusquAuBoutEtSeRejoue) {
  for (int bas : {BLANC, NOIR}) {
    SCOPED_TRACE(bas == BLANC ? "White at the bottom" : "Black at the bottom");
    couleur_joueur = bas;
    mode_jeux = 4;
    resultat_partie = "*";
    ouvre();
    ASSERT_EQ(p->Timer4->Interval(), 100) << "the board window's load starts automatic play";
    ASSERT_EQ(p->action[4]->text(), "P");
    // The end may come with a message box (mate, stalemate) or without one
    // (a repetition settled by the evaluations).
    plateforme::BoitesEnTest::repond(OK);
    const int ticks = joue_automatique(1500);
    ASSERT_FALSE(p->Timer4->en_marche()) << "the game did not end in " << ticks << " ticks";
    EXPECT_EQ(p->action[4]->text(), "Go");
    EXPECT_EQ(p->action[4]->toolTip(), QStringLiteral("Démarrer le mode automatique"));
    EXPECT_FALSE(p->Timer5->en_marche()) << "the game duration stops at the end";
    const QStringList boites_vues = boites();
    plateforme::BoitesEnTest::efface();

    ASSERT_TRUE(est_resultat(resultat_partie)) << resultat_partie;
    const QStringList lignes = lignes_liste();
    ASSERT_GE(lignes.size(), 2);
    EXPECT_EQ(lignes.last().toStdString(), resultat_partie) << "the result closes the move list";
    EXPECT_EQ(p->List1->currentRow(), lignes.size() - 1);
    EXPECT_EQ(historique_positions.size(), static_cast<size_t>(lignes.size()) + 1);
    EXPECT_TRUE(p->windowTitle().startsWith(texte(169) + " - ")) << p->windowTitle().toStdString();
    if (!boites_vues.isEmpty()) {
      EXPECT_TRUE(boites_vues[0].contains("PAT") || boites_vues[0].contains(texte(167)));
    }
    // Every move line is in both movetexts, the last one included.
    const int nb_coups = lignes.size() - 1;
    EXPECT_EQ(demi_coups(texte_partie).size(), static_cast<size_t>(nb_coups)) << texte_partie;
    EXPECT_EQ(demi_coups(texte_partie_longue).size(), static_cast<size_t>(nb_coups)) << texte_partie_longue;
    EXPECT_EQ(numero_coup, (nb_coups + 1) / 2) << "numero_coup counts White's moves";
    // The movetext plays again into the very positions recorded, by move and
    // through the program's own replay.
    EXPECT_EQ(rejoue_et_compare(texte_partie), nb_coups);
    const std::vector<std::string> partie = historique_positions;
    ControlesPartie controles{p->Echiquier, p->List1};
    rejoue_partie(controles, couleur_joueur);
    EXPECT_EQ(p->List1->count(), nb_coups);
    ASSERT_EQ(historique_positions.size(), static_cast<size_t>(nb_coups) + 1);
    EXPECT_TRUE(std::equal(historique_positions.begin(), historique_positions.end(), partie.begin()));

    fenetres::decharge<plateau>();
    p = nullptr;
  }
}

TEST_F(MachineContreMachine, LesProfilsAlternentQuandUnSecondEstCharge) {
  mode_jeux = 4;
  ouvre();
  plateforme::BoitesEnTest::repond(OK);
  QList<int> profils;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(p->Timer4->tick());
    profils << profil_moteur;
  }
  EXPECT_EQ(profils, (QList<int>{1, 1, 1, 1})) << "without a second profile";
  // A second profile with the same weights as the first.
  for (const ClePoids& c : cles_calcul())
    if (c.par_profil) ecrit_poids(c.cle, *lit_poids(c.cle, 1), 2);
  profil2_charge = 1;
  profils.clear();
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(p->Timer4->tick());
    profils << profil_moteur;
  }
  EXPECT_EQ(profils, (QList<int>{2, 1, 2, 1}));
  plateforme::BoitesEnTest::efface();
}

// --- The first machine move --------------------------------------------------------

TEST_F(MachineContreMachine, LePremierCoupEstLeCoupParDefaut) {
  mode_jeux = 4;
  ouvre();
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_EQ(lignes_liste(), QStringList{" 1.e2-e4"});
  EXPECT_EQ(texte_partie, "1.e4");
  EXPECT_EQ(controle("e4"), PION_BLANC);
  EXPECT_EQ(tableau("e4"), PION_BLANC);
  EXPECT_EQ(controle("e2"), CASE_VIDE);
  EXPECT_EQ(numero_coup, 1);
  EXPECT_EQ(dernier_trait, BLANC);
  EXPECT_EQ(dernier_coup_joue, "5755");
  EXPECT_EQ(p->windowTitle(), texte(169) + " - [1.e4] - " + texte(170) + " : [ 0]");
  EXPECT_EQ(p->Echiquier->nb_traces(), 2) << "the move is drawn: a line and a circle";
  EXPECT_EQ(sons_joues(), QList<int>{3});
  EXPECT_EQ(p->Timer1->Interval(), 0) << "Black's clock runs";
  EXPECT_EQ(p->Timer2->Interval(), 1000);
  EXPECT_EQ(nb_coups_testes, 0) << "no search for the default move";
  // Black answers with a search.
  ASSERT_TRUE(p->Timer4->tick());
  ASSERT_EQ(lignes_liste().size(), 2);
  EXPECT_TRUE(lignes_liste()[1].startsWith("    ..... ")) << lignes_liste()[1].toStdString();
  EXPECT_GT(nb_coups_testes, 0);
  EXPECT_EQ(numero_coup, 1);
}

// The first move is searched when the default first move does not read as a
// legal move, and in a game set up or pasted, where Go plays on by the search
// (a Black queen on f3 to take) whatever the default first move.
TEST_F(MachineContreMachine, UnCoupParDefautIllisibleOuIllegalEstCherche) {
  mode_jeux = 4;
  const QString libre = QStringLiteral("rnb1kbnr/pppppppp/8/8/8/5q2/PPPPPPPP/RNBQKBNR w KQkq - 0 1");
  const struct { const char* defaut; QStringList pieces; QString fen; } cas[] = {
      {"Zz9", {}, {}}, {"e5", {}, {}}, {"e4", {"Ke1", "Pe2", "Pg2", "ke8", "qf3"}, {}}, {"e4", {}, libre}};
  for (const auto& c : cas) {
    SCOPED_TRACE(std::string(c.defaut) + " " + c.pieces.join(' ').toStdString() + c.fen.toStdString());
    ouverture_defaut[1] = QString::fromLatin1(c.defaut);
    ouvre();
    const bool position = !c.pieces.isEmpty() || !c.fen.isEmpty();
    plateforme::BoitesEnTest::repond(OK);  // the reader's message for "Zz9"
    if (position) {
      p->action[4]->click();  // stopped, the position set, then Go
      ASSERT_TRUE(c.pieces.isEmpty() || met_en_place(c.pieces, 1));
      if (!c.fen.isEmpty()) colle_fen(c.fen);
      p->action[4]->click();
    }
    ASSERT_TRUE(p->Timer4->tick());
    ASSERT_EQ(lignes_liste().size(), 1);
    EXPECT_TRUE(lignes_liste()[0].startsWith(" 1.")) << lignes_liste()[0].toStdString();
    EXPECT_NE(controle("e5"), PION_BLANC);
    EXPECT_NE(controle("e4"), PION_BLANC);
    if (position) {
      EXPECT_EQ(couleur_piece(controle("f3")), BLANC) << "the queen taken";
    }
    EXPECT_GT(nb_coups_testes, 0) << "the move was searched";
    plateforme::BoitesEnTest::efface();
    fenetres::decharge<plateau>();
  }
}

TEST_F(MachineContreMachine, LeLivreDonneLesCoupsDesDeuxCamps) {
  mode_jeux = 4;
  ouverture_defaut[1].clear();
  active_base_con[1] = 1;
  ouverture_aleatoire[1] = 0;
  cree_base_ouvertures({QStringLiteral("1.a3 h6 2.h3 *")});
  ouvre();
  ASSERT_TRUE(p->Timer4->tick());
  ASSERT_TRUE(p->Timer4->tick());
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_EQ(lignes_liste(), (QStringList{" 1.a2-a3", "    ..... h7-h6", " 2.h2-h3"}));
  EXPECT_EQ(texte_partie, "1.a3 h6 2.h3");
  EXPECT_EQ(nb_coups_testes, 0) << "book moves are not searched";
  // Out of the book, the search takes over.
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_GT(nb_coups_testes, 0);
  EXPECT_EQ(lignes_liste().size(), 4);
  // With the base off for the profile the book is not read.
  fenetres::decharge<plateau>();
  active_base_con[1] = 0;
  ouvre();
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_NE(lignes_liste(), QStringList{" 1.a2-a3"});
}

// --- Against the human --------------------------------------------------------------

TEST_F(ContreLaMachine, LaMachineRepondAuCoupDesBlancs) {
  mode_jeux = 1;
  couleur_joueur = BLANC;
  ouvre();
  fenetre_comment();
  EXPECT_TRUE(lignes_liste().isEmpty()) << "the human opens";
  coup("e2", "e4");
  const QStringList l = lignes_liste();
  ASSERT_EQ(l.size(), 2);
  EXPECT_EQ(l[0], " 1.e2-e4");
  EXPECT_TRUE(l[1].startsWith("    ..... ")) << l[1].toStdString();
  EXPECT_EQ(dernier_trait, NOIR);
  EXPECT_EQ(numero_coup, 1);
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(montree(), tableau_courant());
  EXPECT_EQ(historique_positions.size(), 3u);
  EXPECT_EQ(historique_positions.back(), montree());
  EXPECT_EQ(demi_coups(texte_partie).size(), 2u);
  EXPECT_EQ(p->List1->currentRow(), 1);
  EXPECT_EQ(p->Timer1->Interval(), 1000) << "the human's clock runs again";
  EXPECT_FALSE(plateforme::curseur_attente_actif()) << "the hourglass is gone";
  ASSERT_EQ(notes_coups.size(), 2u);
  EXPECT_EQ(notes_coups[1], derniere_note);
  EXPECT_TRUE(p->windowTitle().contains(texte(170))) << p->windowTitle().toStdString();
  EXPECT_EQ(p->panneau(2)->text().toStdString(), " " + std::to_string(nb_coups_testes));
  EXPECT_EQ(p->panneau(3)->text().toStdString(), " " + std::to_string(nb_positions_evaluees));
  // The search listed its candidates, the move played first.
  const QString calcul = fenetre_comment_chargee()->calcul->toPlainText();
  EXPECT_TRUE(calcul.startsWith("..." + l[1].mid(10).trimmed())) << calcul.toStdString();
  // The human plays on.
  coup("d2", "d4");
  EXPECT_EQ(lignes_liste().size(), 4);
  EXPECT_TRUE(lignes_liste()[2].startsWith(" 2.d2-d4"));
  EXPECT_EQ(rejoue_et_compare(texte_partie), 4);
}

// A book move puts the icon of its piece in the board window's mouse icon,
// without showing it; an icon that cannot be read gives a message and the
// machine searches instead.
TEST_F(ContreLaMachine, LeCoupDuLivreMetSaPieceDansLIconeDeLaSouris) {
  mode_jeux = 1;
  couleur_joueur = BLANC;
  active_base_con[1] = 1;
  ouverture_aleatoire[1] = 0;
  cree_base_ouvertures({QStringLiteral("1.e4 c5 2.Nf3 d6 *"), QStringLiteral("1.d4 Nf6 *")});
  ouvre();
  coup("e2", "e4");
  ASSERT_EQ(lignes_liste().size(), 2);
  EXPECT_EQ(lignes_liste()[1], "    ..... c7-c5");
  EXPECT_EQ(nb_coups_testes, 0) << "a book move";
  EXPECT_NE(p->cursor().shape(), Qt::BitmapCursor) << "the icon is set, not shown";
  const QImage livre = p->icone_souris.pixmap().toImage();
  ASSERT_FALSE(livre.isNull());
  p->prend_icone_souris(PION_BLANC);
  EXPECT_NE(p->icone_souris.pixmap().toImage(), livre) << "the human's lifted pawn";
  p->prend_icone_souris(PION_NOIR);
  EXPECT_EQ(p->icone_souris.pixmap().toImage(), livre) << "the machine's pawn";

  // Without the knight's icon the book move 1...Nf6 is refused with a message.
  fenetres::decharge<plateau>();
  mode_jeux = 2;
  ouvre();
  coup("d2", "d4");
  const QImage pion_leve = p->icone_souris.pixmap().toImage();
  ASSERT_FALSE(pion_leve.isNull());
  ASSERT_TRUE(QFile::remove(plateau::fichier_icone(CAVALIER_NOIR)));
  plateforme::BoitesEnTest::repond(OK);
  int cs = 9, ls = 9, cd = 9, ld = 9;
  std::string marques;
  float note = 1;
  EXPECT_FALSE(coup_bibliotheque(NOIR, texte_partie, cs, ls, cd, ld, marques, note));
  ASSERT_EQ(boites().size(), 1);
  EXPECT_TRUE(boites()[0].contains(QString::number(CAVALIER_NOIR) + ".ico")) << boites()[0].toStdString();
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].titre, "Morvandel");
  EXPECT_EQ(cs + ls + cd + ld, 0);
  EXPECT_EQ(p->icone_souris.pixmap().toImage(), pion_leve) << "the icon of the human's pawn stays";
}

TEST_F(ContreLaMachine, LaMachineOuvreEtRepondAvecLesBlancs) {
  mode_jeux = 1;
  couleur_joueur = NOIR;
  ouvre();
  // The board window's load played White's default first move.
  ASSERT_EQ(lignes_liste(), QStringList{" 1.e2-e4"});
  EXPECT_EQ(controle("e4"), PION_BLANC);
  coup("e7", "e5");
  const QStringList l = lignes_liste();
  ASSERT_EQ(l.size(), 3);
  EXPECT_EQ(l[1], "    ..... e7-e5");
  EXPECT_TRUE(l[2].startsWith(" 2.")) << l[2].toStdString();
  EXPECT_EQ(numero_coup, 2);
  EXPECT_EQ(dernier_trait, BLANC);
  EXPECT_EQ(montree(), tableau_courant());
  EXPECT_EQ(dernier_coup_joue.size(), 4u);
  EXPECT_TRUE(texte_partie.rfind("1.e4 e5 2.", 0) == 0) << texte_partie;
  EXPECT_EQ(rejoue_et_compare(texte_partie), 3);
}

TEST_F(ContreLaMachine, LaPriseEstAnnonceeEtLePionPromuEnDame) {
  mode_jeux = 1;
  couleur_joueur = NOIR;
  style_notation = 1;
  ouvre();
  // White (the machine) promotes; the only other White piece is its king.
  place({"Ke1", "Pb7", "kh8", "nc8"}, NOIR);
  ouverture_defaut[1].clear();
  numero_coup = 10;
  ASSERT_TRUE(joue_machine());
  const QString ligne = lignes_liste().last();
  EXPECT_TRUE(ligne.startsWith(" 11.b7")) << ligne.toStdString();
  EXPECT_TRUE(ligne.contains("=D")) << ligne.toStdString();
  int dames = 0;
  for (int c = 1; c <= 8; ++c) dames += tab_echiquier(c, ligne_de("b8")) == DAME_BLANCHE;
  EXPECT_EQ(dames, 1);
  if (ligne.contains("xc8")) {
    EXPECT_EQ(lignes_commentaire().last(), "- " + texte(164) + nom_piece(CAVALIER_NOIR) + texte(163));
  }
  EXPECT_EQ(montree(), tableau_courant());
}

TEST_F(ContreLaMachine, LaMachineRoqueDansLesDeuxSens) {
  // White's book move is a castling, with White at the bottom and then at
  // the top of the board; then a one-square king move.
  mode_jeux = 4;
  ouverture_defaut[1].clear();
  active_base_con[1] = 1;
  struct Cas {
    int bas;
    const char* ligne;
    const char* coup;
    const char* tour_avant;
    const char* roi_apres;
    const char* tour_apres;
  };
  const char* petit = "1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O *";
  const char* grand = "1.d4 d5 2.Nc3 Nc6 3.Bf4 Bf5 4.Qd2 Qd7 5.O-O-O *";
  for (const Cas& c : {Cas{BLANC, petit, " 4.O-O", "h1", "g1", "f1"}, Cas{BLANC, grand, " 5.O-O-O", "a1", "c1", "d1"},
                       Cas{NOIR, petit, " 4.O-O", "h1", "g1", "f1"}, Cas{NOIR, grand, " 5.O-O-O", "a1", "c1", "d1"},
                       Cas{BLANC, "1.e4 e5 2.Ke2 *", " 2.Ke1-e2", "h1", "e2", "h1"}}) {
    SCOPED_TRACE(std::string(c.coup) + (c.bas == BLANC ? " White at the bottom" : " Black at the bottom"));
    db_eco.ferme();
    QDir(dossier() + QStringLiteral("/base")).removeRecursively();
    cree_base_ouvertures({QString::fromLatin1(c.ligne)});
    couleur_joueur = c.bas;
    ouvre();
    fenetre_comment();
    ouverture_aleatoire[1] = 0;
    while (lignes_liste().size() < 9 && !lignes_liste().contains(QString::fromLatin1(c.coup)))
      ASSERT_TRUE(p->Timer4->tick());
    EXPECT_EQ(lignes_liste().last(), QString::fromLatin1(c.coup));
    EXPECT_EQ(controle(c.roi_apres), ROI_BLANC);
    EXPECT_EQ(controle(c.tour_apres), TOUR_BLANCHE);
    EXPECT_EQ(controle("e1"), CASE_VIDE);
    EXPECT_EQ(montree(), tableau_courant());
    EXPECT_EQ(roque_interdit[BLANC], -1);
    if (c.tour_avant != c.tour_apres) {
      EXPECT_EQ(controle(c.tour_avant), CASE_VIDE);
      EXPECT_TRUE(lignes_commentaire().contains("- " + texte(166)));
    }
    fenetres::decharge<plateau>();
  }
}

TEST_F(ContreLaMachine, LaMachinePrendEnPassantApresLeCoupDuJoueur) {
  // The human's two-square pawn move leaves the machine a single legal
  // move: the capture en passant. Human White, then human Black.
  mode_jeux = 1;
  style_notation = 2;
  for (int bas : {BLANC, NOIR}) {
    SCOPED_TRACE(bas == BLANC ? "machine Black" : "machine White");
    couleur_joueur = bas;
    ouvre();
    fenetre_comment();
    if (bas == BLANC) {
      // Black: king h1 hemmed in by Kf2 and Nf1, pawn d4 blocked by Bd3.
      place({"Kf2", "Nf1", "Bd3", "Pe2", "kh1", "pd4"}, NOIR);
      coup("e2", "e4");
    } else {
      // White: king h8 hemmed in by kf7 and nf8, pawn e5 blocked by be6.
      place({"kf7", "nf8", "be6", "pd7", "Kh8", "Pe5"}, BLANC);
      numero_coup = 4;
      coup("d7", "d5");
    }
    const QStringList l = lignes_liste();
    ASSERT_EQ(l.size(), 2) << l.join('|').toStdString();
    const char* prise = bas == BLANC ? "e3" : "d6";
    const char* pion_pris = bas == BLANC ? "e4" : "d5";
    const int pion = bas == BLANC ? PION_NOIR : PION_BLANC;
    EXPECT_TRUE(l[1].contains(bas == BLANC ? "..... d4xe3e.p." : " 5.e5xd6e.p.")) << l[1].toStdString();
    EXPECT_EQ(controle(prise), pion);
    EXPECT_EQ(controle(pion_pris), CASE_VIDE) << "the pawn taken en passant is gone";
    EXPECT_EQ(montree(), tableau_courant());
    EXPECT_EQ(historique_positions.back(), montree());
    const QString attendu = "- " + texte(164) + nom_piece(pion) +
                            (bas == BLANC ? texte(165) + " !" : QStringLiteral(" en passant !"));
    EXPECT_TRUE(lignes_commentaire().contains(attendu)) << lignes_commentaire().join('|').toStdString();
    fenetres::decharge<plateau>();
  }
}

// --- End of the game -----------------------------------------------------------------

TEST_F(FinDePartie, LeCoupQuiMateTermineLaPartie) {
  for (int bas : {BLANC, NOIR}) {
    SCOPED_TRACE(bas);
    couleur_joueur = bas;
    mode_jeux = 4;
    profondeur_max[1] = 1;
    ouvre();
    p->Timer4->Interval(0);
    place({"Kb6", "Rh1", "ka8"}, NOIR);
    ouverture_defaut[1] = QStringLiteral("Rh8");
    numero_coup = 0;
    resultat_partie = "*";
    plateforme::BoitesEnTest::repond(OK);
    EXPECT_FALSE(joue_machine());
    EXPECT_EQ(boites(), QStringList{texte(167) + " !!! " + texte(146)});
    EXPECT_EQ(resultat_partie, "1-0");
    EXPECT_EQ(lignes_liste(), (QStringList{" 1.Rh1-h8+", "1-0"}));
    EXPECT_EQ(historique_positions.size(), 3u);
    EXPECT_EQ(texte_partie, "1.Rh8");
    EXPECT_EQ(p->windowTitle(), texte(169) + " - " + texte(167));
    EXPECT_FALSE(p->Timer1->en_marche());
    EXPECT_FALSE(p->Timer2->en_marche());
    // A game over takes no more machine move.
    EXPECT_FALSE(joue_machine());
    EXPECT_EQ(lignes_liste().size(), 2);
    plateforme::BoitesEnTest::efface();
    fenetres::decharge<plateau>();
  }
}

TEST_F(FinDePartie, LePatDuCampDuHautEstUnPat) {
  // White's a6-a7 (by hand: in a position of its own the machine's move is
  // its search's) leaves Black's king without a move and not attacked, with
  // Black drawn at the top, then at the bottom.
  for (int bas : {BLANC, NOIR}) {
    SCOPED_TRACE(bas);
    couleur_joueur = bas;
    mode_jeux = 2;
    ouvre();
    place({"Kb6", "Pa6", "ka8"}, NOIR);
    numero_coup = 0;
    resultat_partie = "*";
    plateforme::BoitesEnTest::repond(OK);
    coup("a6", "a7");
    EXPECT_EQ(boites(), QStringList{"PAT !! " + texte(168)});
    EXPECT_EQ(resultat_partie, "1/2-1/2");
    EXPECT_EQ(lignes_liste().last(), "1/2-1/2");
    EXPECT_EQ(p->windowTitle(), texte(169) + " - PAT");
    plateforme::BoitesEnTest::efface();
    fenetres::decharge<plateau>();
  }
}

TEST_F(FinDePartie, SansCoupLaMachineEstMateeOuPat) {
  mode_jeux = 1;
  couleur_joueur = BLANC;
  ouvre();
  // Black (the machine) to move, mated by the rook.
  place({"Kb6", "Rh8", "ka8"}, BLANC);
  numero_coup = 5;
  plateforme::BoitesEnTest::repond(OK);
  EXPECT_FALSE(joue_machine());
  EXPECT_EQ(boites(), QStringList{texte(167) + " !!! " + texte(146)});
  EXPECT_EQ(resultat_partie, "1-0");
  EXPECT_EQ(lignes_liste(), QStringList{"1-0"});
  EXPECT_EQ(numero_coup, 5);
  EXPECT_EQ(p->Echiquier->nb_traces(), 0) << "no move, nothing drawn";
  plateforme::BoitesEnTest::efface();
  // Black to move, stalemated.
  resultat_partie = "*";
  place({"Kb6", "Pa7", "ka8"}, BLANC);
  plateforme::BoitesEnTest::repond(OK);
  EXPECT_FALSE(joue_machine());
  EXPECT_EQ(boites(), QStringList{"PAT !! " + texte(168)});
  EXPECT_EQ(resultat_partie, "1/2-1/2");
}

TEST_F(FinDePartie, UnePriseEnPassantPossibleNEstPasUnPat) {
  // After White's e2-e4 (by hand), Black's only legal move is d4xe3 e.p.: the
  // game goes on, and the machine (Black) then takes en passant.
  for (int bas : {BLANC, NOIR}) {
    SCOPED_TRACE(bas);
    couleur_joueur = bas;
    mode_jeux = 2;
    ouvre();
    fenetre_comment();
    p->Timer4->Interval(0);
    place({"Kf2", "Nf1", "Bd3", "Pe2", "kh1", "pd4"}, NOIR);
    numero_coup = 0;
    resultat_partie = "*";
    coup("e2", "e4");
    EXPECT_EQ(resultat_partie, "*");
    EXPECT_TRUE(boites().isEmpty()) << boites().join('|').toStdString();
    ASSERT_TRUE(joue_machine());
    ASSERT_EQ(lignes_liste().size(), 2);
    EXPECT_TRUE(lignes_liste()[1].contains("..... d4xe3e.p.")) << lignes_liste()[1].toStdString();
    EXPECT_EQ(controle("e4"), CASE_VIDE);
    EXPECT_EQ(controle("e3"), PION_NOIR);
    EXPECT_EQ(montree(), tableau_courant());
    EXPECT_TRUE(lignes_commentaire().contains("- " + texte(164) + nom_piece(PION_NOIR) + texte(165) + " !"))
        << lignes_commentaire().join('|').toStdString();
    plateforme::BoitesEnTest::efface();
    fenetres::decharge<plateau>();
  }
}

TEST_F(FinDePartie, LeTempsDepasseArreteLeJeuAutomatique) {
  mode_jeux = 4;
  ouvre();
  ASSERT_TRUE(p->Timer4->tick());  // 1.e4: Black's clock, the upper one, runs
  ASSERT_TRUE(p->Timer2->en_marche());
  p->regle_horloge(false, 1);
  plateforme::BoitesEnTest::repond(OK);
  ASSERT_TRUE(p->Timer2->tick());
  EXPECT_EQ(resultat_partie, "1-0");
  EXPECT_EQ(lignes_liste(), (QStringList{" 1.e2-e4", "1-0"}));
  EXPECT_FALSE(p->Timer4->en_marche()) << "automatic play stops with the clocks";
  plateforme::BoitesEnTest::efface();
  // "Go" again: the machine makes no move in a finished game, and automatic
  // play stops once more.
  QTest::mouseClick(p->action[4], Qt::LeftButton);
  QTest::mouseClick(p->action[4], Qt::LeftButton);
  ASSERT_EQ(p->action[4]->text(), "P");
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_EQ(lignes_liste().size(), 2);
  EXPECT_EQ(numero_coup, 1);
  EXPECT_EQ(dernier_trait, BLANC);
  EXPECT_FALSE(p->Timer4->en_marche());
  EXPECT_EQ(p->action[4]->text(), "Go");
  EXPECT_TRUE(boites().isEmpty());
}

class RepetitionMachine : public TestMachine {
 protected:
  // A knight that went out and back twice: the machine (White, default move
  // Nf3) will reach a position recorded twice already.
  void prepare(std::initializer_list<const char*> pieces) {
    ouvre();
    p->Timer4->Interval(0);
    place(pieces, NOIR);
    const std::string depart = montree();
    // The position after Ng1-f3, as it will be shown.
    tab_echiquier(colonne_de("f3"), ligne_de("f3")) = CAVALIER_BLANC;
    tab_echiquier(colonne_de("g1"), ligne_de("g1")) = CASE_VIDE;
    const std::string apres = tableau_courant();
    tab_echiquier(colonne_de("g1"), ligne_de("g1")) = CAVALIER_BLANC;
    tab_echiquier(colonne_de("f3"), ligne_de("f3")) = CASE_VIDE;
    historique_positions = {depart, apres, depart, apres, depart};
    for (const char* l : {" 1.Ng1-f3", "    ..... Ng8-f6", " 2.Nf3-g1", "    ..... Nf6-g8"}) p->List1->addItem(l);
    texte_partie = "1.Nf3 Nf6 2.Ng1 Ng8";
    texte_partie_longue = "1.Ng1-f3 Ng8-f6 2.Nf3-g1 Nf6-g8";
    numero_coup = 0;  // so that the default move applies
    ouverture_defaut[1] = QStringLiteral("Nf3");
    resultat_partie = "*";
  }
};

TEST_F(RepetitionMachine, EnModeQuatreLaNulleGardeLeDernierCoup) {
  mode_jeux = 4;
  prepare({"Ke1", "Ng1", "ke8", "ng8"});
  EXPECT_FALSE(joue_machine());
  EXPECT_TRUE(boites().isEmpty()) << "nobody is asked in machine against machine";
  EXPECT_EQ(resultat_partie, "1/2-1/2");
  EXPECT_EQ(lignes_liste().mid(4), (QStringList{" 1.Ng1-f3", "1/2-1/2"}));
  EXPECT_EQ(p->windowTitle(), texte(169) + " - " + texte(168));
  EXPECT_EQ(texte_partie, "1.Nf3 Nf6 2.Ng1 Ng8 1.Nf3") << "the last move stays in the game record";
  EXPECT_EQ(texte_partie_longue, "1.Ng1-f3 Ng8-f6 2.Nf3-g1 Nf6-g8 1.Ng1-f3");
  EXPECT_EQ(historique_positions.size(), 7u) << "five before, the move, the result";
  EXPECT_FALSE(p->Timer4->en_marche());
}

TEST_F(RepetitionMachine, EnModeQuatreLeCampSousLeSeuilPerd) {
  mode_jeux = 4;
  seuil_partie_nulle = 0.0f;
  // Black is a queen up: White's evaluation is far below 0, White loses.
  prepare({"Ke1", "Ng1", "ke8", "qd8"});
  EXPECT_FALSE(joue_machine());
  EXPECT_EQ(resultat_partie, "0-1");
  EXPECT_EQ(lignes_liste().last(), "0-1");
  EXPECT_EQ(p->windowTitle(), texte(169) + " - " + texte(144));
  EXPECT_EQ(texte_partie, "1.Nf3 Nf6 2.Ng1 Ng8 1.Nf3");
  fenetres::decharge<plateau>();
  // White is a queen up: Black loses.
  prepare({"Ke1", "Ng1", "Qd1", "ke8"});
  EXPECT_FALSE(joue_machine());
  EXPECT_EQ(resultat_partie, "1-0");
  EXPECT_EQ(p->windowTitle(), texte(169) + " - " + texte(145));
}

TEST_F(RepetitionMachine, ContreLHumainLaQuestionEstPosee) {
  mode_jeux = 1;
  couleur_joueur = BLANC;
  prepare({"Ke1", "Ng1", "ke8", "ng8"});
  // No: the game goes on.
  plateforme::BoitesEnTest::repond(NON);
  EXPECT_TRUE(joue_machine());
  EXPECT_EQ(boites(), QStringList{texte(337)});
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::OUI_NON);
  EXPECT_EQ(resultat_partie, "*");
  EXPECT_TRUE(p->windowTitle().contains(texte(170)));
  plateforme::BoitesEnTest::efface();
  fenetres::decharge<plateau>();
  // Yes: a draw, the move kept.
  prepare({"Ke1", "Ng1", "ke8", "ng8"});
  plateforme::BoitesEnTest::repond(OUI);
  EXPECT_FALSE(joue_machine());
  EXPECT_EQ(resultat_partie, "1/2-1/2");
  EXPECT_EQ(texte_partie, "1.Nf3 Nf6 2.Ng1 Ng8 1.Nf3");
  EXPECT_EQ(lignes_liste().last(), "1/2-1/2");
}

TEST_F(RepetitionMachine, UnDrapeauTombePendantLaQuestionGardeSonResultat) {
  mode_jeux = 1;
  couleur_joueur = BLANC;
  prepare({"Ke1", "Ng1", "ke8", "ng8"});
  // The running clock runs out while the draw is being asked.
  bool tombe = false;
  plateforme::BoitesEnTest::temoin([this, &tombe](const plateforme::BoiteVue& v) {
    if (v.texte != texte(337)) return;
    plateforme::BoitesEnTest::temoin(nullptr);
    for (plateforme::Minuterie* minuterie : {p->Timer1, p->Timer2})
      if (minuterie->en_marche()) {
        p->regle_horloge(minuterie == p->Timer1, 1);
        tombe = minuterie->tick();
      }
  });
  plateforme::BoitesEnTest::repond(boite::OK);  // the loss on time
  plateforme::BoitesEnTest::repond(OUI);        // the draw, too late
  EXPECT_FALSE(joue_machine());
  ASSERT_TRUE(tombe) << "a clock was running during the question";
  EXPECT_NE(resultat_partie, "1/2-1/2");
  EXPECT_EQ(lignes_liste().filter(QRegularExpression("^(1-0|0-1|1/2-1/2)$")).size(), 1);
  EXPECT_EQ(texte_partie, "1.Nf3 Nf6 2.Ng1 Ng8 1.Nf3");
  for (plateforme::Minuterie* t : {p->Timer1, p->Timer2, p->Timer5}) EXPECT_EQ(t->Interval(), 0);
}

// --- An error in the middle of the move ---------------------------------------------

TEST_F(FinDePartie, UneErreurLaisseLeControleEtLeTableauDAccord) {
  mode_jeux = 4;
  ouvre();
  const std::string avant = montree();
  // The picture of the White pawn is gone: e2-e4 cannot be shown.
  ASSERT_TRUE(QFile::remove(QDir(dossier()).filePath("images/pieces/Morvandel/8.ico")));
  plateforme::BoitesEnTest::repond(OK);
  ASSERT_TRUE(p->Timer4->tick());
  ASSERT_EQ(boites().size(), 1);
  EXPECT_TRUE(boites()[0].contains("8.ico")) << boites()[0].toStdString();
  EXPECT_EQ(montree(), tableau_courant()) << "the control and tab_echiquier agree";
  EXPECT_EQ(montree(), avant) << "the move was not recorded, so it is taken back";
  EXPECT_TRUE(lignes_liste().isEmpty());
  EXPECT_EQ(historique_positions.size(), 1u);
  EXPECT_EQ(numero_coup, 0);
  EXPECT_EQ(dernier_trait, NOIR);
  EXPECT_TRUE(texte_partie.empty());
  EXPECT_FALSE(p->Timer4->en_marche()) << "automatic play stops on the error";
}

// --- Busy -----------------------------------------------------------------------------

TEST_F(MachineOccupee, PendantLaRechercheRienNeBougeNiNeRelanceUneRecherche) {
  mode_jeux = 4;
  profondeur_max[1] = 1;
  ouverture_defaut[1].clear();
  ouvre();
  fenetre_comment();
  // Two moves first, so that the move list has earlier positions to show.
  ASSERT_TRUE(p->Timer4->tick());
  ASSERT_TRUE(p->Timer4->tick());
  ASSERT_EQ(p->List1->count(), 2);
  // A square of the board control holding a piece of `couleur`.
  auto case_de = [this](int couleur) {
    for (int c = 1; c <= 8; ++c)
      for (int l = 1; l <= 8; ++l) {
        const int code = p->Echiquier->Piece(c, l);
        if (code != CASE_VIDE && couleur_piece(code) == couleur) return QPoint(c, l);
      }
    return QPoint();
  };
  int essais = 0;
  bool refuse = true;
  QList<int> profondeurs;
  pendant_recherche() = [&] {
    profondeurs << p->visu_prof->value();
    if (essais++ > 0) return;
    const std::string pendant = montree();
    const int lignes = p->List1->count();
    const QPoint blanc = case_de(BLANC);
    // A click on a White piece, a navigation button, a key: they reach their
    // handlers, which move nothing.
    clic(blanc.x(), blanc.y());
    QTest::mouseClick(p->action[0], Qt::LeftButton);
    QTest::keyClick(p->List1, Qt::Key_Up);
    refuse = refuse && etat_clic == 0 && montree() == pendant;
    // Even handed over directly, the click, the navigation and the
    // double-click on the list do nothing.
    p->Echiquier_Click(blanc.x(), blanc.y());
    refuse = refuse && etat_clic == 0;
    action_Click(*p, 0);
    p->List1->setCurrentRow(0);
    List1_DblClick(*p);
    refuse = refuse && montree() == pendant;
    // A tick of automatic play, of the replay, another machine move.
    p->Timer4->tick();
    p->Timer3->Interval(1000);
    p->Timer3->tick();
    p->Timer3->Interval(0);
    refuse = refuse && !joue_machine();
    refuse = refuse && p->List1->count() == lignes;
    // A second search is refused by the engine itself.
    int a = 0, b = 0, c = 0, d = 0;
    float n = 0;
    EXPECT_THROW(choix_coup_machine(a, b, c, d, BLANC, n, 0), RechercheEnCours);
  };
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_GT(essais, 1) << "the search let events run";
  EXPECT_TRUE(profondeurs.contains(1)) << "the depth bar follows the search";
  EXPECT_TRUE(refuse);
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(lignes_liste().size(), 3) << "one move only";
  EXPECT_EQ(montree(), tableau_courant());
  EXPECT_EQ(historique_positions.back(), montree()) << "the move was played on the game's position";
  EXPECT_EQ(profil_moteur, 1);
  ASSERT_EQ(plateau::existante(), p);
  // Once the move is made, the board takes clicks again (Black's turn in
  // machine against machine: any Black piece may be lifted).
  pendant_recherche() = nullptr;
  const QPoint noir = case_de(NOIR);
  clic(noir.x(), noir.y());
  EXPECT_EQ(etat_clic, 1);
}

TEST_F(MachineOccupee, LHorlogeTourneEtPeutFinirLaPartiePendantLaRecherche) {
  // The machine (White, searching) runs out of time while it thinks: the
  // clock keeps counting during the search, and the move found is not played.
  mode_jeux = 4;
  profondeur_max[1] = 1;
  ouverture_defaut[1].clear();
  ouvre();
  const std::string avant = montree();
  ASSERT_TRUE(p->Timer1->en_marche());
  p->regle_horloge(true, 2);
  int ticks = 0;
  pendant_recherche() = [&] {
    if (ticks < 2 && p->Timer1->tick()) ++ticks;
  };
  plateforme::BoitesEnTest::repond(OK);
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_EQ(ticks, 2);
  EXPECT_EQ(p->Horloge_basse->text(), "00:00:00");
  ASSERT_EQ(boites().size(), 1);
  EXPECT_EQ(boites()[0], texte(148) + " " + texte(144));
  EXPECT_EQ(resultat_partie, "0-1");
  EXPECT_EQ(lignes_liste(), QStringList{"0-1"}) << "the move found after the time ran out is not played";
  EXPECT_EQ(montree(), avant);
  EXPECT_EQ(tableau_courant(), avant);
  EXPECT_EQ(numero_coup, 0);
  EXPECT_EQ(dernier_trait, NOIR);
  EXPECT_TRUE(texte_partie.empty());
  EXPECT_FALSE(p->Timer4->en_marche());
  EXPECT_EQ(p->action[4]->text(), "Go");
}

TEST_F(MachineOccupee, LeBoutonPArreteLeJeuAutomatiquePendantLaRecherche) {
  mode_jeux = 4;
  profondeur_max[1] = 1;
  ouverture_defaut[1].clear();
  ouvre();
  bool fait = false;
  pendant_recherche() = [&] {
    if (fait) return;
    fait = true;
    QTest::mouseClick(p->action[4], Qt::LeftButton);
  };
  const std::string avant = montree();
  ASSERT_TRUE(p->Timer4->tick());
  EXPECT_TRUE(fait);
  EXPECT_TRUE(lignes_liste().isEmpty()) << "the search stops at once, its move is not played";
  EXPECT_EQ(montree(), avant);
  EXPECT_EQ(tableau_courant(), avant);
  EXPECT_EQ(numero_coup, 0);
  EXPECT_FALSE(p->Timer4->en_marche()) << "no further tick";
  EXPECT_EQ(p->action[4]->text(), "Go");
  EXPECT_FALSE(p->Timer4->tick());
}

TEST_F(MachineOccupee, LaFenetreMontreLaRechercheEnCours) {
  // While White searches its first move: the caption names the best move so
  // far, the icon is that move's piece, the status bar counts.
  mode_jeux = 4;
  profondeur_max[1] = 1;
  ouverture_defaut[1].clear();
  ouvre();
  QStringList titres;
  bool icone_blanche = false;
  QStringList panneaux;
  pendant_recherche() = [&] {
    titres << p->windowTitle();
    const QImage icone = p->windowIcon().pixmap(16, 16).toImage();
    for (int code = PION_BLANC; code <= ROI_BLANC && !icone.isNull(); ++code)
      icone_blanche = icone_blanche || icone == QIcon(plateau::fichier_icone(code)).pixmap(16, 16).toImage();
    panneaux << p->panneau(2)->text();
  };
  ASSERT_TRUE(p->Timer4->tick());
  const QRegularExpression candidat(QStringLiteral("^1\\.[A-Za-z0-9x+-]+\\.\\.\\. $"));
  bool vu = false;
  for (const QString& t : titres) vu = vu || candidat.match(t).hasMatch();
  EXPECT_TRUE(vu) << titres.join('|').toStdString();
  EXPECT_TRUE(icone_blanche);
  bool compte = false;
  for (const QString& n : panneaux) compte = compte || n.trimmed().toLong() > 0;
  EXPECT_TRUE(compte) << panneaux.join('|').toStdString();
  // Once the move is made, the caption shows it with its evaluation.
  EXPECT_TRUE(p->windowTitle().startsWith(texte(169) + " - [1.")) << p->windowTitle().toStdString();
}

TEST_F(MachineOccupee, LaTraceDeLaRechercheVaDansLeJournal) {
  mode_jeux = 4;
  ouverture_defaut[1].clear();
  ges_log = 1;
  file_log = QDir(dossier()).filePath("morvandel.log");
  ouvre();
  ASSERT_TRUE(p->Timer4->tick());
  fenetres::decharge<plateau>();
  QFile f(file_log);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString journal = QString::fromLatin1(f.readAll());
  EXPECT_TRUE(journal.contains(QStringLiteral("* Recherche meilleur coup N° 1 (BLANC)"))) << journal.toStdString();
  EXPECT_TRUE(journal.contains(" * Selection : (")) << journal.toStdString();
  EXPECT_TRUE(journal.contains("\r\n"));
}
