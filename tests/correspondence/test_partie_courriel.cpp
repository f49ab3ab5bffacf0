// A correspondence game played by mail between two players, each with a
// correspondence base of their own on this machine: each move is played on
// the board, pasted, mailed through the message window to a stand-in
// sendmail, read back from the mail as the opponent reads it, and entered on
// the other side.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "correspondence/corres.h"
#include "correspondence/message.h"
#include "correspondence/prepare.h"
#include "correspondence/saisie_coup.h"
#include "localisation/textes_langue.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fenetres.h"
#include "platform/schemas_bases.h"
#include "play/controles_partie.h"
#include "play/parametres.h"
#include "play/plateau.h"
#include "play/position_presse_papiers.h"
#include "tests/common/aide_courriel.h"
#include "tests/correspondence/aide_corres.h"

using plateforme::BoitesEnTest;

namespace {

const QString MEL_BLANC = QStringLiteral("anne@blanc.example");
const QString MEL_NOIR = QStringLiteral("bruno@noir.example");

class PartieParCourriel : public TestCorres {
 protected:
  void SetUp() override {
    TestCorres::SetUp();
    transport = std::make_unique<FauxSendmail>(dossier() + QStringLiteral("/transport"));
    for (bool blanc : {true, false}) {
      const QString chemin = QDir(dossier()).filePath(blanc ? "blanc.db" : "noir.db");
      plateforme::BaseDonnees::cree(chemin, schemas::base_corres());
      PartieCorres p;
      p.jai_blanc = blanc;
      p.blanc = QStringLiteral("Anne");
      p.noir = QStringLiteral("Bruno");
      p.mel_blanc = MEL_BLANC;
      p.mel_noir = MEL_NOIR;
      p.debut = QDate(2026, 3, 1);
      p.resultat = QStringLiteral("*");
      p.notation = 1;
      base_corres = chemin;
      p.cle_adverse = 1;  // each side's game is the first row of its base
      (blanc ? cle_blanc : cle_noir) = ajoute_partie(chemin, p);
      (blanc ? base_blanc : base_noir) = chemin;
    }
  }

  // One player at the machine: their base, their address, no window left
  // from the other.
  void joueur(bool blanc) {
    fenetres::decharge<message>();
    fenetres::decharge<saisie_coup>();
    fenetres::decharge<prepare>();
    fenetres::decharge<corres>();
    fenetres::decharge<plateau>();
    base_corres = blanc ? base_blanc : base_noir;
    adresse_mel = blanc ? MEL_BLANC : MEL_NOIR;
    manager();
  }

  // The player's move: played on the board, its position copied and pasted
  // into prepare, the mail generated and sent. The mail as it left.
  // With `ferme_prepare` the preparation window is closed before the mail
  // goes: the mail still records its move in its own game.
  CourrielLu envoie(bool blanc, const char* depart, const char* arrivee, const QString& piece_jointe = {},
                    bool ferme_prepare = false) {
    const qint64 cle = blanc ? cle_blanc : cle_noir;
    clique(cle);
    c->Command7->click();
    prepare* p = fenetres::existante<prepare>();
    if (!p) throw std::runtime_error("no prepare window");
    p->Command3->click();
    coup(depart, arrivee);
    ControlesPartie controles{plateau::existante()->Echiquier, plateau::existante()->List1};
    copie_position(controles, 1);
    p->Text1->setText(QGuiApplication::clipboard()->text());
    p->Command2->click();
    message* m = fenetres::existante<message>();
    if (!m) throw std::runtime_error("no message window");
    if (!piece_jointe.isEmpty()) {
      plateforme::DialoguesEnTest::repond(piece_jointe);
      m->Attach_Click();
    }
    if (ferme_prepare) fenetres::decharge<prepare>();
    const int avant = transport->nb_envois();
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    m->Send->click();
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(484)});
    EXPECT_EQ(transport->nb_envois(), avant + 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fenetres::existante<message>(), nullptr);
    return lit_courriel(transport->entree(transport->nb_envois()));
  }

  // The opponent reads the mail: its new move (with its number for White's,
  // as the entry asks) and the position script, typed into saisie_coup.
  void recoit(bool blanc, const CourrielLu& mail) {
    QString coup, script, liste;
    for (const QString& l : mail.corps.split(QStringLiteral("\r\n"))) {
      if (l.startsWith(texte(491))) coup = l.mid(texte(491).size());
      if (l.startsWith(texte(494))) script = l.mid(texte(494).size());
      if (l.startsWith(texte(492))) liste = l.mid(texte(492).size());
    }
    // White's move keeps its number: the token before the result in the list.
    if (!blanc) {
      const QStringList jetons = liste.split(QLatin1Char(' '), Qt::SkipEmptyParts);
      coup = jetons.at(jetons.size() - 2);
    }
    clique(blanc ? cle_blanc : cle_noir);
    c->Command6->click();
    saisie_coup* s = fenetres::existante<saisie_coup>();
    if (!s) throw std::runtime_error("no saisie_coup window");
    QGuiApplication::clipboard()->setText(script);
    s->Text1->setText(script);
    EXPECT_EQ(s->grille->text().count(QStringLiteral("\r\n")), 8);
    s->Text2->setText(coup);
    BoitesEnTest::efface();
    BoitesEnTest::repond(boite::OK);
    s->Command2->click();
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(473)}) << coup.toStdString();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  std::unique_ptr<FauxSendmail> transport;
  QString base_blanc, base_noir;
  qint64 cle_blanc = 0, cle_noir = 0;
};

}  // namespace

TEST_F(PartieParCourriel, TroisToursDeCoupsVontEtViennentParCourrierEntreDeuxBases) {
  struct Coup {
    bool blanc;
    const char* depart;
    const char* arrivee;
    const char* liste;  // both bases' move list afterwards
  };
  const Coup coups[] = {
      {true, "e2", "e4", "1.e4"},        {false, "e7", "e5", "1.e4 e5"},
      {true, "g1", "f3", "1.e4 e5 2.Cf3"}, {false, "b8", "c6", "1.e4 e5 2.Cf3 Cc6"},
      {true, "f1", "b5", "1.e4 e5 2.Cf3 Cc6 3.Fb5"}, {false, "a7", "a6", "1.e4 e5 2.Cf3 Cc6 3.Fb5 a6"},
  };
  const QString piece = QDir(dossier()).filePath("partie.pgn");
  {
    QFile f(piece);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Event \"PC\"]\r\n");
  }
  int n = 0;
  for (const Coup& k : coups) {
    SCOPED_TRACE(k.liste);
    joueur(k.blanc);
    const CourrielLu mail = envoie(k.blanc, k.depart, k.arrivee, n == 0 ? piece : QString(), n == 2);
    ++n;
    EXPECT_TRUE(mail.defauts.isEmpty()) << mail.defauts.join("\n").toStdString();
    // It left from the sender to the other player only.
    const QString de = k.blanc ? MEL_BLANC : MEL_NOIR, a = k.blanc ? MEL_NOIR : MEL_BLANC;
    EXPECT_EQ(transport->arguments(n), (QStringList{"-i", "-f", de, "--", a}));
    EXPECT_EQ(QString::fromLatin1(mail.entetes.value("to")), a);
    EXPECT_TRUE(mail.sujet.endsWith(texte(498)));
    EXPECT_TRUE(mail.corps.contains(texte(492) + QString::fromLatin1(k.liste) + QStringLiteral(" *\r\n")));
    EXPECT_EQ(mail.pieces.size(), n == 1 ? 1 : 0);
    EXPECT_EQ(lue(k.blanc ? cle_blanc : cle_noir).coups, QString::fromLatin1(k.liste));
    // The other side enters it.
    joueur(!k.blanc);
    recoit(!k.blanc, mail);
    base_corres = k.blanc ? base_noir : base_blanc;
    EXPECT_EQ(lue(k.blanc ? cle_noir : cle_blanc).coups.trimmed(), QString::fromLatin1(k.liste));
  }
}

TEST_F(PartieParCourriel, UnCoupNEstPasEnregistreDansUnePartieQuiAChangeDepuisLeMessage) {
  joueur(true);
  clique(cle_blanc);
  c->Command7->click();
  prepare* p = fenetres::existante<prepare>();
  ASSERT_NE(p, nullptr);
  p->Command3->click();
  coup("e2", "e4");
  ControlesPartie controles{plateau::existante()->Echiquier, plateau::existante()->List1};
  copie_position(controles, 1);
  p->Text1->setText(QGuiApplication::clipboard()->text());
  p->Command2->click();
  message* m = fenetres::existante<message>();
  ASSERT_NE(m, nullptr);
  // Meanwhile the game's moves change in the base (another window, the grid).
  ASSERT_TRUE(enregistre_coup_recu(base_blanc, cle_blanc, QStringLiteral("1.d4"), QStringLiteral("1.d4"),
                                   QDate(2026, 3, 11)));
  BoitesEnTest::repond(boite::OK);
  m->Send->click();
  EXPECT_EQ(transport->nb_envois(), 1) << "the mail went";
  ASSERT_EQ(BoitesEnTest::textes().size(), 1);
  EXPECT_TRUE(BoitesEnTest::textes()[0].contains(QStringLiteral("ont changé"))) << BoitesEnTest::textes()[0].toStdString();
  EXPECT_EQ(lue(cle_blanc).coups, QStringLiteral("1.d4"));
  EXPECT_TRUE(lue(cle_blanc).dernier_envoye.isEmpty());
}
