// Loading PGN files into the program: the game list, the game in hand, the
// progress window and what ends a reading.
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QFile>
#include <QPushButton>
#include <QListWidget>
#include <QTimer>

#include "app/commandes.h"
#include "platform/fenetres.h"
#include "app/fichiers_recents.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "gamefiles/charge_pgn.h"
#include "gamefiles/liste_parties.h"
#include "localisation/textes_langue.h"
#include "openings/comment.h"
#include "platform/evenements.h"
#include "platform/minuterie.h"
#include "play/commandes_partie.h"
#include "play/machine.h"
#include "play/patience.h"
#include "play/plateau.h"
#include "tests/gamefiles/aide_charge.h"

TEST_F(TestChargePgn, LaListeMontreLesPartiesQuiPassentLeFiltre) {
  const QString chemin = ecrit_fichier(cinq_parties());
  critere_blanc = QStringLiteral("smith");
  charge_pgn(1, chemin);
  EXPECT_EQ(colonne(4), QStringList({"Smith, J", "Smithson"}));
  EXPECT_EQ(statut(), QStringLiteral(" 2 parties chargées sur  5"));
  EXPECT_TRUE(lignes_coups().isEmpty()) << "nothing is loaded";

  critere_lesdeux = 1;
  charge_pgn(1, chemin);
  EXPECT_EQ(colonne(4), QStringList({"Smith, J", "Jones", "Smithson"}));

  critere_blanc.clear();
  critere_lesdeux = 0;
  charge_pgn(1, chemin);
  EXPECT_EQ(colonne(0), QStringList({"Open", "Open", "Rapide", "Open", "Open"}));
  EXPECT_EQ(colonne(1), QStringList({"DIJON", "DIJON", "", "PARIS", "PARIS"})) << "no Site: empty, not the last one's";
  EXPECT_EQ(colonne(3), QStringList({"10", "2", "", "1", "3"}));
  EXPECT_EQ(colonne(4)[2], QString::fromUtf8("L\xC3\xA9on"));
  EXPECT_EQ(colonne(6), QStringList({"1-0", "0-1", "1/2-1/2", "*", "1-0"}));
  EXPECT_EQ(colonne(7), QStringList({"000010", "000002", "", "000001", "000003"}));
  EXPECT_EQ(statut(), QStringLiteral(" 5 parties chargées sur  5"));
}

TEST_F(TestChargePgn, LaLimiteNeCompteQueLesPartiesGardees) {
  const QString chemin = ecrit_fichier(cinq_parties());
  max_seuil_partie = 2;
  critere_event = QStringLiteral("open");
  charge_pgn(1, chemin);
  EXPECT_EQ(colonne(4), QStringList({"Smith, J", "Jones"}));
  EXPECT_EQ(statut(), QStringLiteral(" 2 parties chargées sur  2"));
  max_seuil_partie = 3;
  charge_pgn(1, chemin);
  EXPECT_EQ(colonne(4), QStringList({"Smith, J", "Jones", "Dupont"})) << "Rapide does not count";
  EXPECT_EQ(statut(), QStringLiteral(" 3 parties chargées sur  4"));
  max_seuil_partie = 0;  // brought back to 1
  charge_pgn(1, chemin);
  EXPECT_EQ(colonne(4).size(), 1);
}

TEST_F(TestChargePgn, LOuvertureChargeLaPremierePartieSansFiltre) {
  const QString chemin = ecrit_fichier(cinq_parties());
  critere_blanc = QStringLiteral("Dupont");
  max_seuil_partie = -3;  // the limit is the listing's only
  plateforme::BoitesEnTest::repond(boite::OK);
  charge_pgn(0, chemin);
  EXPECT_EQ(colonne(4), QStringList({"Smith, J"}));
  EXPECT_EQ(icones(), QStringList({"main"}));
  EXPECT_EQ(texte_partie, "1.e4 e5 2.Nf3 Nc6 3.Bb5") << "the program's own movetext, no result";
  EXPECT_EQ(resultat_partie, "1-0");
  EXPECT_EQ(style_notation, 2);
  EXPECT_EQ(entete_pgn,
            "[Event \"Open\"]\r\n[Site \"dijon\"]\r\n[Date \"2024.05.01\"]\r\n[Round \"10\"]\r\n[White \"Smith, J\"]\r\n"
            "[Black \"Jones\"]\r\n[Result \"1-0\"]\r\n\r\n")
      << "the tags are kept with the comment window off";
  EXPECT_EQ(commentaires_coups, (std::vector<std::string>{"", "Le meilleur."}));
  const QStringList coups = lignes_coups();
  ASSERT_EQ(coups.size(), 6);
  EXPECT_EQ(coups[0], QStringLiteral(" 1.e2-e4"));
  EXPECT_EQ(coups[5], QStringLiteral("1-0"));
  EXPECT_EQ(numero_coup, 3);
  ASSERT_EQ(plateforme::BoitesEnTest::textes().size(), 1);
  EXPECT_TRUE(plateforme::BoitesEnTest::textes()[0].endsWith(QStringLiteral("1.e4 e5 2.Nf3 Nc6 3.Bb5 1-0")));
}

TEST_F(TestChargePgn, UneLecturePartDuFenEtLesCommentairesVontAvecLeurCoup) {
  commentaires_affiches = true;
  const QString chemin = ecrit_fichier(
      "[Event \"Etude\"]\r\n[SetUp \"1\"]\r\n[FEN \"6k1/5ppp/8/8/8/8/5PPP/R5K1 b - - 0 30\"]\r\n\r\n"
      "{Les Noirs jouent.} 30... h6 {luft} 31. Ra8+ Kh7 $1 {forcé} 32. Ra7 *\r\n");
  plateforme::BoitesEnTest::repond(boite::OK);
  charge_pgn(0, chemin);
  EXPECT_EQ(texte_partie, "30...h6 31.Ra8 Kh7 32.Ra7");
  EXPECT_EQ(commentaires_coups, (std::vector<std::string>{"Les Noirs jouent.", "luft", "", "forcé"}));
  const QStringList coups = lignes_coups();
  ASSERT_EQ(coups.size(), 4);
  EXPECT_TRUE(coups[0].startsWith(QStringLiteral("    ....."))) << coups[0].toStdString();
  mvdechiquier::Echiquier* e = fenetre().Echiquier;
  EXPECT_EQ(e->Piece(1, 2), TOUR_BLANCHE) << "a7";
  EXPECT_EQ(e->Piece(8, 2), ROI_NOIR) << "h7";
  EXPECT_EQ(e->Piece(8, 3), PION_NOIR) << "h6";
  EXPECT_EQ(e->Piece(5, 1), CASE_VIDE) << "no start position under it";
  EXPECT_EQ(historique_positions.size(), 5u);
  EXPECT_TRUE(texte_commentaire().contains(QStringLiteral("{forcé}")));
  EXPECT_TRUE(texte_commentaire().contains(QStringLiteral("[FEN ")));
}

TEST_F(TestChargePgn, LeDoubleClicChargeCettePartieEtLesIconesSuiventLesParties) {
  const QString chemin = ecrit_fichier(cinq_parties());
  charge_pgn(1, chemin);
  plateforme::BoitesEnTest::repond(boite::OK);
  double_clic(1);
  EXPECT_EQ(texte_partie, "1.d4 d5 2.c4");
  EXPECT_EQ(icones(), QStringList({"", "main", "", "", ""}));
  plateforme::BoitesEnTest::repond(boite::OK);
  double_clic(3);
  EXPECT_EQ(texte_partie, "1.Nf3");
  EXPECT_EQ(icones(), QStringList({"", "validation", "", "main", ""}));

  // Sorted by round (2 before 10), then by White: the icons stay on their games.
  List2_ColumnClick(fenetre(), 4);
  EXPECT_EQ(colonne(3), QStringList({"", "1", "2", "3", "10"}));
  EXPECT_EQ(icones(), QStringList({"", "main", "validation", "", ""}));
  List2_ColumnClick(fenetre(), 5);
  EXPECT_EQ(colonne(4), QStringList({"Dupont", "Jones", QString::fromUtf8("L\xC3\xA9on"), "Smith, J", "Smithson"}));
  EXPECT_EQ(icones(), QStringList({"main", "validation", "", "", ""}));
  plateforme::BoitesEnTest::repond(boite::OK);
  double_clic(4);
  EXPECT_EQ(texte_partie, "1.g3");
  EXPECT_EQ(icones(), QStringList({"validation", "validation", "", "", "main"}));

  // Listed again from the same file: the icons come back on their games.
  charge_pgn(1, chemin);
  EXPECT_EQ(icones(), QStringList({"", "validation", "", "validation", "main"}));
  // Another file: none.
  charge_pgn(1, ecrit_fichier(cinq_parties(), QStringLiteral("autre.pgn")));
  EXPECT_EQ(icones(), QStringList({"", "", "", "", ""}));
}

TEST_F(TestChargePgn, LeDoubleClicLitLeFichierDeLaListeEtRefuseUnePartieQuiABouge) {
  const QString chemin = ecrit_fichier(cinq_parties());
  charge_pgn(1, chemin);
  fichier_pgn = ecrit_fichier(partie_pgn("Autre", "Fichier", "1.a3"), QStringLiteral("autre.pgn"));
  plateforme::BoitesEnTest::repond(boite::OK);
  double_clic(4);
  EXPECT_EQ(texte_partie, "1.g3") << "the list's own file, not fichier_pgn";

  // The file changed under the list: a line added at its top moves every game.
  const std::string avant = texte_partie;
  ecrit_fichier("[Event \"Nouveau\"]\n[White \"X\"]\n\n1.h3 *\n\n" + cinq_parties());
  plateforme::BoitesEnTest::repond(boite::OK);
  double_clic(1);
  EXPECT_EQ(texte_partie, avant) << "no other game is loaded";
  ASSERT_FALSE(plateforme::BoitesEnTest::textes().isEmpty());
  EXPECT_TRUE(plateforme::BoitesEnTest::textes().last().startsWith(texte(891).section("%1", 0, 0)));
  EXPECT_EQ(icones(), QStringList({"", "", "", "", "main"}));

  // The file is gone.
  QFile::remove(chemin);
  plateforme::BoitesEnTest::repond(boite::OK);
  double_clic(0);
  EXPECT_EQ(plateforme::BoitesEnTest::textes().last(), QStringLiteral("Partie déjà chargée !"));
  EXPECT_EQ(texte_partie, avant);
}

TEST_F(TestChargePgn, UnFichierInconnuEstSignale) {
  plateforme::BoitesEnTest::repond(boite::OK);
  charge_pgn(1, dossier() + QStringLiteral("/absent.pgn"));
  ASSERT_EQ(plateforme::BoitesEnTest::textes().size(), 1);
  EXPECT_EQ(plateforme::BoitesEnTest::textes()[0], QStringLiteral("Le fichier est inconnu !"));
}

TEST_F(TestChargePgn, PendantQueLaMachineJoueRienNeSeCharge) {
  const QString chemin = ecrit_fichier(cinq_parties());
  charge_pgn(1, chemin);
  texte_partie = "1.e4";
  {
    GardeMachine garde;
    charge_pgn(1, ecrit_fichier(partie_pgn("A", "B", "1.d4"), QStringLiteral("b.pgn")));
    charge_pgn(0, chemin);
    double_clic(2);
  }
  EXPECT_EQ(colonne(4).size(), 5) << "the list is not read again";
  EXPECT_EQ(texte_partie, "1.e4");
}

TEST_F(TestChargePgn, LeBoutonArreterFinitLaListeAvecLesPartiesTrouvees) {
  // More games than the list may hold, so that only the stop ends the
  // listing before its limit; the stop is clicked at the second pause.
  const long limite = pgn::limite_liste(32767);
  const QString chemin = ecrit_fichier(beaucoup_de_parties(static_cast<int>(limite) + 10));
  max_seuil_partie = 32767;
  const long entre_pauses = 1000;
  plateforme::PausesEnTest::tous_les(entre_pauses);
  long pauses = 0;
  plateforme::PausesEnTest::temoin([&](long numero) {
    pauses = numero;
    if (patience* w = patience::existante(); w && numero == 2) w->Command1->click();
  });
  charge_pgn(1, chemin);
  EXPECT_EQ(pauses, 2) << "the reading stops at the pause the stop was clicked in";
  const int gardees = colonne(0).size();
  EXPECT_EQ(gardees, 2 * entre_pauses);
  EXPECT_LT(gardees, limite);
  EXPECT_EQ(statut(), QStringLiteral(" %1 parties chargées sur  %1").arg(gardees));
  EXPECT_EQ(colonne(4).last(), QStringLiteral("J%1").arg(gardees - 1));

  // Without the stop the same file fills the list to its limit.
  plateforme::PausesEnTest::temoin(nullptr);
  charge_pgn(1, chemin);
  EXPECT_EQ(colonne(0).size(), limite);
}

TEST_F(TestChargePgn, FermerLePlateauPendantLaLectureLaFinit) {
  const QString chemin = ecrit_fichier(beaucoup_de_parties(200000));
  max_seuil_partie = 32767;
  QTimer::singleShot(0, [] {
    if (plateau* p = plateau::existante()) p->close();
  });
  charge_pgn(1, chemin);
  EXPECT_FALSE(lecture_pgn_en_cours());
}

TEST_F(TestChargePgn, UneSecondeLectureDemandeeFinitLaPremiereEtPasseEnsuite) {
  const QString grand = ecrit_fichier(beaucoup_de_parties(200000));
  const QString petit = ecrit_fichier(cinq_parties(), QStringLiteral("petit.pgn"));
  max_seuil_partie = 32767;
  QTimer::singleShot(0, [&] { charge_pgn(1, petit); });
  charge_pgn(1, grand);
  EXPECT_FALSE(lecture_pgn_en_cours());
  for (int i = 0; i < 50 && colonne(4).size() != 5; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(colonne(4), QStringList({"Smith, J", "Jones", QString::fromUtf8("L\xC3\xA9on"), "Dupont", "Smithson"}));
}

TEST_F(TestChargePgn, LesFichiersRecentsEtLaLigneDeCommandeListentLeFichier) {
  const QString chemin = ecrit_fichier(cinq_parties());
  Menu& m = fenetres::instance<Menu>();
  m.actualise_commandes();
  EXPECT_TRUE(m.menu_charge->isEnabled()) << "the open command has its loader";
  ajoute_fichier_recent(chemin);
  m.charge_fichiers_recents();
  m.mnuRecentFile_Click(1);
  EXPECT_EQ(colonne(4).size(), 5);
  EXPECT_EQ(fichier_pgn, chemin);

  fenetres::decharge<plateau>();
  commandes::charge_pgn(1, chemin);  // what start-up does with a command line
  EXPECT_EQ(colonne(4).size(), 5);
}

TEST_F(TestChargePgn, UnePartieFinieChargeeArreteLesDeuxPendules) {
  active_horloge = 1;
  const QString chemin = ecrit_fichier(
      partie_pgn("A", "B", "1.e4 e5 2.Nf3 Nc6 3.Bb5", "1-0") + partie_pgn("C", "D", "1.Nf3", "*") +
      "[White \"E\"]\n[Result \"0-1\"]\n\n1.f3 e5 2.g4 Qh4#\n\n" +  // a mate, no result token
      "[White \"F\"]\n[Result \"1-0\"]\n\n1.d4 d5 2.c4\n\n" +       // cut short: the tag's result
      partie_pgn("G", "H", "1.e4 e5 2.Ke3", "1-0"));                    // the replay stops at a move refused
  struct Cas {
    const char* nom;
    int ligne;          // the game of the list double-clicked, -1: the first one, the window opened for it
    const char* resultat;
  };
  const Cas cas[] = {
      {"a finished game opening the board window", -1, "1-0"},
      {"a game under way goes on with its clocks", 1, "*"},
      {"a finished game over a game under way", 0, "1-0"},
      {"a game under way again", 1, "*"},
      {"a game ended by mate", 2, "0-1"},
      {"a game under way again", 1, "*"},
      {"a finished game whose replay stops early", 4, "1-0"},
      {"a game under way once more", 1, "*"},
      {"a game whose movetext the file cut short", 3, "1-0"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    plateforme::BoitesEnTest::repond(boite::OK);
    if (c.ligne == 4) plateforme::BoitesEnTest::repond(boite::NON);  // "go on?" at the refused move
    if (c.ligne < 0) {
      charge_pgn(0, chemin);
      charge_pgn(1, chemin);  // the whole list, for the double-clicks
    } else {
      double_clic(c.ligne);
    }
    plateau& p = fenetre();
    EXPECT_EQ(resultat_partie, c.resultat);
    if (resultat_partie != "*") {
      EXPECT_EQ(p.horloge_en_marche(), -1);
      EXPECT_EQ(p.Timer1->Interval(), 0);
      EXPECT_EQ(p.Timer2->Interval(), 0);
      EXPECT_EQ(p.Timer5->Interval(), 0) << "the game's duration stops too";
      // Time passing moves neither clock.
      const QString bas = p.Horloge_basse->text(), haut = p.horloge_haute->text();
      plateforme::MinuteriesEnTest::avance(5000);
      EXPECT_EQ(p.Horloge_basse->text(), bas);
      EXPECT_EQ(p.horloge_haute->text(), haut);
    } else {
      EXPECT_NE(p.horloge_en_marche(), -1) << "the clock of the side to move runs";
    }
  }
}

// Against the machine, a game loaded or pasted with the machine to move is its to go on.
TEST_F(TestChargePgn, ContreLaMachineUnePartieChargeeAuTraitDeLaMachineEstReprise) {
  mode_jeux = 1;
  // `coup`: in the game record, the machine's move (the default first move at the usual start only).
  const std::string libre = "rnb1kbnr/pppppppp/8/8/8/5q2/PPPPPPPP/RNBQKBNR w KQkq - 0 1";  // a queen to take
  const struct { int personne; std::string partie; int lignes; std::string fen = {}; std::string coup = {}; } cas[] = {
      {BLANC, partie_pgn("A", "B", "1.e4"), 2}, {NOIR, partie_pgn("A", "B", ""), 1, "", "1.e4"},  // answers, opens
      {NOIR, partie_pgn("A", "B", "1.e4"), 1}, {BLANC, partie_pgn("A", "B", "1.e4", "1-0"), 2},  // person to move, over
      {NOIR, "[White \"E\"]\n\n1.f3 e5 2.g4 Qh4#\n\n", 5},  // mate
      {BLANC, "", 1, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1"},  // pasted, the machine answers
      {NOIR, "", 1, "4k3/pppppppp/8/8/8/8/PPPPPPPP/4K3 w - - 0 12"},
      {BLANC, "", 0, "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR w KQkq - 0 1"},  // the person's move
      {BLANC, "", 1, "k7/8/1QK5/8/8/8/8/8 b - - 0 1"},  // no move: stalemated, nothing moves
      {NOIR, "", 1, libre, "xf3"}, {NOIR, "[Event \"E\"]\n[SetUp \"1\"]\n[FEN \"" + libre + "\"]\n\n*\n\n", 1, "", "xf3"},
      {NOIR, "", 1, "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "1.e4"}};  // the usual start
  for (const auto& c : cas) {
    SCOPED_TRACE(c.partie + c.fen);
    couleur_joueur = c.personne;
    plateforme::BoitesEnTest::repond(boite::OK);
    if (c.fen.empty()) {
      charge_pgn(0, ecrit_fichier(c.partie));
    } else {
      fenetres::decharge<plateau>();
      QGuiApplication::clipboard()->setText(QString::fromStdString(c.fen));
      ASSERT_NE(affiche_plateau(), nullptr);
      menu_coller_position_Click();
      EXPECT_EQ(fenetre().horloge_en_marche(), dernier_trait == couleur_joueur ? 0 : 1) << "the side to move's clock";
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(lignes_coups().size(), c.lignes);
    EXPECT_EQ(QString::fromStdString(texte_partie).split(' ', Qt::SkipEmptyParts).size(),
              c.lignes - (resultat_partie == "*" ? 0 : 1)) << "every move in the game record, the machine's too";
    EXPECT_TRUE(resultat_partie != "*" || dernier_trait != couleur_joueur) << "the person is to move";
    EXPECT_NE(texte_partie.find(c.coup), std::string::npos) << texte_partie;
    plateforme::BoitesEnTest::efface();  // the stalemate's box, the only one a paste shows here
  }
}
