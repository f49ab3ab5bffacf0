// The move mail: its recipient, subject and body as the opponent reads them,
// and the position it carries, which must be a position the paste command
// would take.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>

#include "app/commandes.h"
#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "platform/fenetres.h"
#include "play/controles_partie.h"
#include "tests/correspondence/aide_message.h"

using plateforme::BoitesEnTest;

namespace {

const char* const CORPS_ATTENDU =
    "Bonjour !\r\n"
    "Partie par correspondance :\r\n"
    "\r\n"
    "Date d'envoi : %1\r\n"
    "Ma référence : 0012\r\n"
    "Votre référence : 0034\r\n"
    "Blanc : Anne Blanc\r\n"
    "Noir : Bruno Noir\r\n"
    "Date début : 01/03/2026\r\n"
    "Durée : 10 jour(s)\r\n"
    "-------------------------------------\r\n"
    "*** RAPPEL ***\r\n"
    "Dernier coup envoyé : e4\r\n"
    "Date dernier envoi :02/03/2026\r\n"
    "Dernier coup recu : e5\r\n"
    "Date dernier recu :05/03/2026\r\n"
    "Liste des coups (avant le coup joué) : 1.e4 e5\r\n"
    "-------------------------------------\r\n"
    "Nouveau coup (PGN): Nf3\r\n"
    "Liste des coups (PGN) : 1.e4 e5 2.Nf3 *\r\n"
    "Diagramme résultant : \r\n"
    "t c f d r f c t \r\n"
    "p p p p . p p p \r\n"
    ". . . . . . . . \r\n"
    ". . . . p . . . \r\n"
    ". . . . P . . . \r\n"
    ". . . . . C . . \r\n"
    "P P P P . P P P \r\n"
    "T C F D R F . T \r\n"
    "\r\n"
    "-------------------------------------\r\n"
    "Script de la position : %2\r\n"
    "(Vous pouvez effectuer un copier/coller dans Morvandel)\r\n"
    "-------------------------------------\r\n"
    "\r\n"
    "\r\n"
    "A bientot\r\n"
    "\r\n"
    "(Message généré automatiquement par Morvandel V5.0.1)\r\n";

// The position after 1.e4 e5 2.Nf3, as a screen with `couleur` at the
// bottom shows it.
QString chaine_apres_cf3(int couleur) {
  const char* const lignes[8] = {"rnbqkbnr", "pppp.ppp", "........", "....p...",
                                 "....P...", ".....N..", "PPPP.PPP", "RNBQKB.R"};
  return chaine_du_diagramme(lignes, couleur);
}

FicheCoup fiche_apres_e5(bool j_ai_les_blancs, int couleur) {
  FicheCoup f = fiche_exemple(j_ai_les_blancs);
  f.dernier_envoye = QStringLiteral("e4");
  f.date_envoi = QStringLiteral("02/03/2026");
  f.dernier_recu = QStringLiteral("e5");
  f.date_recu = QStringLiteral("05/03/2026");
  f.coups = QStringLiteral("1.e4 e5");
  f.chaine_position = QStringLiteral("  ") + chaine_apres_cf3(couleur) + QStringLiteral(" ");
  return f;
}

}  // namespace

TEST_F(TestMessage, LeCourrierDuCoupVaALAdversaireAvecSonSujetEtSesTrenteNeufLignes) {
  style_notation = 1;
  texte_partie = "1.e4 e5 2.Nf3";
  int enregistres = 0;
  FicheCoup enregistree;
  liens_message().enregistre_coup_envoye = [&](const FicheCoup& f) {
    ++enregistres;
    enregistree = f;
    return true;
  };
  struct Cas {
    bool j_ai_les_blancs;
    const char* destinataire;
  };
  for (const Cas& c : {Cas{true, "bruno@noir.example"}, Cas{false, "anne@blanc.example"}}) {
    SCOPED_TRACE(c.destinataire);
    const FicheCoup fiche = fiche_apres_e5(c.j_ai_les_blancs, BLANC);
    liens_message().fiche_coup = [fiche] { return std::optional<FicheCoup>(fiche); };
    commandes::envoie_message(1);
    message* m = fenetre();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->txtTo->text(), QString::fromLatin1(c.destinataire));
    EXPECT_EQ(m->txtsubject->text(), QStringLiteral("Morvandel - Référence : 0034/0012 - Nouveau coup !"));
    const QString aujourdhui = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    const QString corps = QString::fromUtf8(CORPS_ATTENDU).arg(aujourdhui, chaine_apres_cf3(BLANC));
    QString vu = m->txtNoteText->toPlainText();
    vu.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    EXPECT_EQ(vu.toStdString(), corps.toStdString());

    BoitesEnTest::repond(boite::OK);
    m->Send_Click();
    const int n = transport->nb_envois();
    ASSERT_GE(n, 1);
    EXPECT_EQ(transport->arguments(n).last(), QString::fromLatin1(c.destinataire));
    const CourrielLu lu = recu(n);
    EXPECT_TRUE(lu.defauts.isEmpty()) << lu.defauts.join("\n").toStdString();
    EXPECT_EQ(lu.sujet, m->txtsubject->text());
    EXPECT_EQ(lu.corps.toStdString(), corps.toStdString());
    EXPECT_EQ(enregistree.cle, 12);
    EXPECT_EQ(enregistree.chaine_position, chaine_apres_cf3(BLANC)) << "the position recorded is the one mailed";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fenetre(), nullptr);
  }
  EXPECT_EQ(enregistres, 2);
}

TEST_F(TestMessage, LeDiagrammeDuCourrierEstCeluiDeLaPositionCollee) {
  struct Cas {
    int couleur;
    int style;
    const char* haut;  // first diagram line
    const char* bas;   // last
  };
  const Cas cas[] = {
      {BLANC, 1, "t c f d r f c t ", "T C F D R F . T "},
      {BLANC, 2, "r n b q k b n r ", "R N B Q K B . R "},
      {BLANC, 0, "r n b q k b n r ", "R N B Q K B . R "},
      {NOIR, 1, "T . F R D F C T ", "t c f r d f c t "},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::to_string(c.couleur) + " " + std::to_string(c.style));
    const QStringList lignes = diagramme_courriel(chaine_apres_cf3(c.couleur), c.style).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lignes.size(), 9);
    EXPECT_EQ(lignes.first(), QString::fromLatin1(c.haut));
    EXPECT_EQ(lignes[7], QString::fromLatin1(c.bas));
    EXPECT_TRUE(lignes.last().isEmpty());
  }
}

TEST_F(TestMessage, UnePositionQueLeCollerRefuseNeSEnvoiePas) {
  int enregistres = 0;
  liens_message().enregistre_coup_envoye = [&](const FicheCoup&) { return ++enregistres > 0; };
  QString sans_roi_noir = chaine_apres_cf3(BLANC);
  sans_roi_noir.replace(QLatin1Char(' ' + ROI_NOIR), QLatin1Char(' ' + CASE_VIDE));
  QString code_inconnu = chaine_apres_cf3(BLANC);
  code_inconnu[10] = QLatin1Char('Z');
  struct Cas {
    QString chaine;
    int texte_attendu;
  };
  const Cas cas[] = {
      {QString(), 499},
      {chaine_apres_cf3(BLANC).left(63), 499},
      {chaine_apres_cf3(BLANC) + QLatin1Char('!'), 499},
      {code_inconnu, 499},
      {chaine_apres_cf3(BLANC).left(63) + QLatin1Char('/'), 499},
      {sans_roi_noir, 176},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.chaine.toStdString());
    FicheCoup fiche = fiche_apres_e5(true, BLANC);
    fiche.chaine_position = c.chaine;
    liens_message().fiche_coup = [fiche] { return std::optional<FicheCoup>(fiche); };
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    commandes::envoie_message(1);
    EXPECT_EQ(fenetre(), nullptr);
    ASSERT_EQ(BoitesEnTest::textes().size(), 1);
    EXPECT_EQ(BoitesEnTest::textes()[0], texte(c.texte_attendu));
  }
  // No game to write about: the hook said why; no window, nothing sent.
  liens_message().fiche_coup = [] { return std::nullopt; };
  commandes::envoie_message(1);
  EXPECT_EQ(fenetre(), nullptr);
  EXPECT_EQ(transport->nb_envois(), 0);
  EXPECT_EQ(enregistres, 0);
}
