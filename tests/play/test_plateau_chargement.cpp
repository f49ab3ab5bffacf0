// Loading, laying out, resizing and closing the board window; the log file;
// the coordinates.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "boardcontrol/echiquier.h"
#include "chess/etat.h"
#include "chess/repetitions.h"
#include "localisation/textes_langue.h"
#include "platform/fichiers_texte.h"
#include "platform/minuterie.h"
#include "play/jeu.h"
#include "tests/play/aide_plateau.h"

namespace {

// The codes of one column of a position string (characters (c - 1) * 8 + 1 .. + 8).
QList<int> codes_colonne(const std::string& position, int colonne) {
  QList<int> codes;
  for (int l = 1; l <= 8; ++l) codes << position[static_cast<size_t>((colonne - 1) * 8 + l - 1)] - 32;
  return codes;
}

}  // namespace

using Chargement = TestPlateau;

TEST_F(Chargement, ChaqueControleExisteSousSonNom) {
  plateau& w = ouvre();
  QStringList noms = {"Echiquier", "List1", "List2", "Horloge_basse", "horloge_haute", "duree_partie",
                      "visu_prof", "bouton_repere", "note", "Frame1", "texte_coup", "message", "Label1",
                      "Label2", "Label3", "Text1", "Text2", "StatusBar1", "Label7(2)"};
  for (int i = 1; i <= 6; ++i) noms << QStringLiteral("Command%1").arg(i);
  for (int i = 0; i <= 15; ++i) noms << QStringLiteral("repere(%1)").arg(i);
  for (int i = 0; i <= 4; ++i) noms << QStringLiteral("action(%1)").arg(i);
  for (int i = 2; i <= 13; ++i) noms << QStringLiteral("Piece(%1)").arg(i);
  for (const QString& nom : noms) EXPECT_NE(w.findChild<QWidget*>(nom), nullptr) << nom.toStdString();
  for (int i = 1; i <= 5; ++i)
    EXPECT_NE(w.findChild<plateforme::Minuterie*>(QStringLiteral("Timer%1").arg(i)), nullptr);
  EXPECT_EQ(w.repere[3]->objectName(), "repere(3)");
  EXPECT_EQ(w.Piece[12]->objectName(), "Piece(12)");
  EXPECT_EQ(w.Piece[0], nullptr);
  EXPECT_EQ(w.List2->model()->columnCount(), 8);
  EXPECT_EQ(w.List2->model()->headerData(0, Qt::Horizontal).toString(), texte(229).chopped(1));
  EXPECT_EQ(w.visu_prof->maximum(), 3);
  EXPECT_EQ(w.visu_prof->value(), 0);
  EXPECT_TRUE(w.Frame1->isHidden()) << "the palette shows only during set-up";
  EXPECT_TRUE(w.message->isHidden()) << "the chat frame shows only in a network game";
}

TEST_F(Chargement, LesLibellesSuiventLaLangue) {
  plateau& w = ouvre();
  EXPECT_EQ(w.windowTitle(), "Nouvelle partie");
  EXPECT_EQ(w.Command1->text(), "&Abandonner");
  EXPECT_EQ(w.Frame1->title(), "&Choisir les pièces");
  EXPECT_EQ(w.Label7[2]->text(), "N° coup :");
  EXPECT_EQ(w.action[4]->text(), "Go");
  EXPECT_EQ(w.Command4->text(), "&Ok") << "not localised";
  fenetres::decharge<plateau>();
  cle_langue = 2;
  applique_langue();
  plateau& anglais = ouvre();
  EXPECT_EQ(anglais.windowTitle(), "New game");
  EXPECT_EQ(anglais.Command1->text(), "&Resign");
  EXPECT_EQ(anglais.Label1->text(), "List of moves");
  EXPECT_EQ(anglais.Command1->toolTip(), "Quitter le plateau de jeux") << "tooltips stay French";
}

TEST_F(Chargement, LaPartieCommenceSurLaPositionDeDepart) {
  resultat_partie = "1-0";
  roque_interdit[BLANC] = -1;
  passant_noir = 35;
  numero_coup = 12;
  texte_partie = "1.e4";
  ouvre();
  EXPECT_EQ(resultat_partie, "*");
  EXPECT_EQ(roque_interdit[BLANC], 0);
  EXPECT_EQ(passant_noir, 0);
  EXPECT_EQ(numero_coup, 0);
  EXPECT_EQ(texte_partie, "");
  EXPECT_EQ(dernier_trait, NOIR);
  EXPECT_EQ(etat_clic, 0);
  EXPECT_EQ(premier_coup, -1);
  EXPECT_EQ(vue_partie(), p);
  ASSERT_EQ(historique_positions.size(), 1u);
  EXPECT_EQ(codes_colonne(historique_positions[0], 1), (QList<int>{3, 2, 1, 1, 1, 1, 8, 9}));
  EXPECT_EQ(codes_colonne(historique_positions[0], 4), (QList<int>{6, 2, 1, 1, 1, 1, 8, 12}));
  EXPECT_EQ(tab_echiquier(5, 8), ROI_BLANC);
  EXPECT_EQ(p->Echiquier->Piece(5, 8), ROI_BLANC);
  EXPECT_EQ(lignes_liste(), QStringList());
}

TEST_F(Chargement, AvecLesNoirsEnBasLeBoardEstRetourne) {
  couleur_joueur = NOIR;
  plateau& w = ouvre();
  EXPECT_EQ(codes_colonne(historique_positions[0], 4), (QList<int>{13, 8, 1, 1, 1, 1, 2, 7}));
  EXPECT_EQ(w.repere[0]->text(), "h");
  EXPECT_EQ(w.repere[7]->text(), "a");
  EXPECT_EQ(w.repere[8]->text(), "8");
  EXPECT_EQ(w.repere[15]->text(), "1");
  EXPECT_FALSE(w.repere[0]->isHidden());
  QTest::mouseClick(w.bouton_repere, Qt::LeftButton);
  EXPECT_TRUE(w.repere[0]->isHidden());
  EXPECT_TRUE(w.repere[15]->isHidden());
  EXPECT_EQ(w.bouton_repere->toolTip(), "Afficher les repères");
  QTest::mouseClick(w.bouton_repere, Qt::LeftButton);
  EXPECT_FALSE(w.repere[0]->isHidden());
  EXPECT_EQ(w.repere[0]->text(), "h");
  EXPECT_EQ(w.bouton_repere->toolTip(), "Effacer les repères");
}

TEST_F(Chargement, LesReperesSontCachesQuandAffRepereNEstPasUn) {
  aff_repere = 0;
  plateau& w = ouvre();
  for (QLabel* r : w.repere) EXPECT_TRUE(r->isHidden());
  EXPECT_EQ(w.repere[0]->text(), "a") << "the design captions stay with White at the bottom";
}

TEST_F(Chargement, LesHorlogesPartentSurLeDelaiEtCelleDesBlancsTourne) {
  delai_partie = QStringLiteral("1:5:3");
  plateau& w = ouvre();
  EXPECT_EQ(w.Horloge_basse->text(), "01:05:03");
  EXPECT_EQ(w.horloge_haute->text(), "01:05:03");
  EXPECT_EQ(w.duree_partie->text(), "00:00:00");
  EXPECT_EQ(w.Timer1->Interval(), 1000) << "White, at the bottom, is to move";
  EXPECT_EQ(w.Timer2->Interval(), 0);
  EXPECT_EQ(w.Timer5->Interval(), 1000);
  EXPECT_EQ(w.Timer3->Interval(), 0);
  EXPECT_EQ(w.Timer4->Interval(), 0);
}

TEST_F(Chargement, SansHorlogeLesLibellesRestentVides) {
  active_horloge = 0;
  plateau& w = ouvre();
  EXPECT_EQ(w.Horloge_basse->text(), "");
  EXPECT_EQ(w.horloge_haute->text(), "");
  EXPECT_EQ(w.Timer1->Interval(), 0);
  EXPECT_EQ(w.Timer2->Interval(), 0);
  EXPECT_EQ(w.Timer5->Interval(), 1000) << "the duration still counts";
}

TEST_F(Chargement, EnPartieReseauRienNeTourneAvantLePremierCoup) {
  mode_jeux = 3;
  plateau& w = ouvre();
  EXPECT_EQ(w.Horloge_basse->text(), "00:15:00");
  EXPECT_EQ(w.Timer1->Interval(), 0);
  EXPECT_EQ(w.Timer2->Interval(), 0);
  EXPECT_EQ(w.Timer5->Interval(), 0);
  EXPECT_EQ(w.duree_partie->text(), "");
  EXPECT_FALSE(w.message->isHidden());
  EXPECT_FALSE(w.message->isEnabled());
  EXPECT_FALSE(w.action[0]->isEnabled());
  EXPECT_FALSE(w.action[3]->isEnabled());
  EXPECT_TRUE(w.action[4]->isEnabled());
  EXPECT_FALSE(w.Command2->isEnabled());
}

TEST_F(Chargement, LeJournalEstRecreeEtTenuOuvertJusquALaFermeture) {
  ges_log = 1;
  file_log = dossier() + "/partie.log";
  ASSERT_TRUE(plateforme::ecrit_lignes(file_log, {"ancienne ligne"}));
  plateau& w = ouvre();
  EXPECT_TRUE(w.log_ouvert());
  w.ecrit_log(QStringLiteral("trace é"));
  QStringList lignes;
  ASSERT_TRUE(plateforme::lit_lignes(file_log, lignes));
  ASSERT_EQ(lignes.size(), 2);
  EXPECT_TRUE(lignes[0].startsWith("-> Nouvelle partie - ")) << lignes[0].toStdString();
  EXPECT_EQ(lignes[0].count(" - "), 2);
  EXPECT_EQ(lignes[1], "trace é");
  QFile brut(file_log);
  ASSERT_TRUE(brut.open(QIODevice::ReadOnly));
  const QByteArray octets = brut.readAll();
  EXPECT_TRUE(octets.endsWith("trace \xE9\r\n")) << "Windows-1252 and CR LF";
  fenetres::decharge<plateau>();
  EXPECT_EQ(plateau::existante(), nullptr);
}

TEST_F(Chargement, UnJournalQuiNePeutPlusEcrireLeDitUneFoisEtGardeCeQuIlTenait) {
  ges_log = 1;
  file_log = dossier() + "/partie.log";
  plateau& w = ouvre();
  w.ecrit_log(QStringLiteral("Иван"));
  QFile lu(file_log);
  ASSERT_TRUE(lu.open(QIODevice::ReadOnly));
  const QByteArray contenu = lu.readAll();
  // The disk fills up while the game goes on: one message, the log stops.
  const QString rapport = dans_un_enfant(
      [&] {
        plateforme::BoitesEnTest::repond(boite::OK);
        for (int i = 0; i < 5; ++i) w.ecrit_log(QString(400, QLatin1Char('x')));
        return plateforme::BoitesEnTest::textes().join("|") + (w.log_ouvert() ? "|open" : "|closed");
      },
      contenu.size() + 100);
  EXPECT_EQ(rapport, texte(806).arg(QDir::toNativeSeparators(file_log), QString::fromLocal8Bit(std::strerror(EFBIG))) +
                         "|closed");
  QFile apres(file_log);
  ASSERT_TRUE(apres.open(QIODevice::ReadOnly));
  EXPECT_EQ(apres.readAll(), contenu);
  EXPECT_TRUE(contenu.endsWith(QString("Иван\r\n").toUtf8())) << "a name outside Windows-1252 stays whole";
}

TEST_F(Chargement, UnJournalQuiEstUnDossierEstNommeAvecLaCause) {
  ges_log = 1;
  file_log = dossier() + "/journal";
  ASSERT_TRUE(QDir(dossier()).mkdir("journal"));
  plateforme::BoitesEnTest::repond(boite::OK);
  EXPECT_EQ(charge_plateau(), nullptr);
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_TRUE(plateforme::BoitesEnTest::textes()[0].startsWith(
      texte(806).arg(QDir::toNativeSeparators(file_log), QString::fromLocal8Bit(std::strerror(EISDIR)))))
      << plateforme::BoitesEnTest::textes()[0].toStdString();
}

TEST_F(Chargement, SansJournalAucunFichierNEstTouche) {
  ges_log = 0;
  file_log = dossier() + "/partie.log";
  plateau& w = ouvre();
  EXPECT_FALSE(w.log_ouvert());
  fenetres::decharge<plateau>();
  EXPECT_FALSE(QFile::exists(file_log));
}

TEST_F(Chargement, UnJournalImpossibleArreteLeChargementEtFermeLaFenetre) {
  ges_log = 1;
  file_log = dossier() + "/dossier_absent/partie.log";
  plateforme::BoitesEnTest::repond(boite::OK);
  EXPECT_EQ(charge_plateau(), nullptr);
  ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
  EXPECT_TRUE(plateforme::BoitesEnTest::textes()[0].endsWith(
      "\r\nVérifier par exemple, que l'ouverture par défaut est correcte (cf. préférence)"));
  EXPECT_EQ(plateau::existante(), nullptr);
  EXPECT_EQ(vue_partie(), nullptr);
  EXPECT_TRUE(historique_positions.empty()) << "the steps after the failing one are not done";
}

TEST_F(Chargement, FermerLaFenetreArreteToutesSesMinuteriesEtLaDecharge) {
  plateau& w = ouvre();
  w.Timer3->Interval(500);
  w.Timer4->Interval(100);
  plateforme::Minuterie* minuteries[5] = {w.Timer1, w.Timer2, w.Timer3, w.Timer4, w.Timer5};
  QList<int> intervalles;
  w.close();
  for (plateforme::Minuterie* m : minuteries) intervalles << m->Interval();
  EXPECT_EQ(intervalles, (QList<int>{0, 0, 0, 0, 0}));
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(plateau::existante(), nullptr);
  EXPECT_EQ(vue_partie(), nullptr);
  EXPECT_EQ(fenetres::existante<plateau>(), nullptr);
}

TEST_F(Chargement, AgrandirLaFenetreAllongeLaListeDesPartiesEtDescendLesBoutons) {
  plateau& w = ouvre();
  const QRect liste = w.List2->geometry();
  const QRect imprimer = w.Command6->geometry();
  const QRect echiquier = w.Echiquier->geometry();
  const int hauteur_liste_coups = w.List1->height();
  w.resize(w.width(), w.height() - 50);
  EXPECT_EQ(w.List2->height(), liste.height() - 50);
  EXPECT_EQ(w.Command6->y(), imprimer.y() - 50);
  EXPECT_EQ(w.Command6->x(), imprimer.x());
  EXPECT_EQ(w.Echiquier->geometry(), echiquier) << "the board keeps its place";
  EXPECT_EQ(w.List1->height(), hauteur_liste_coups);
  w.resize(w.width(), w.height() + 80);
  EXPECT_EQ(w.List2->height(), liste.height() + 30);
  EXPECT_EQ(w.Text2->y() - w.Label3->y(), 20) << "the chat controls move together";
}
