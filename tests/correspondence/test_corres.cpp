// The correspondence manager: its list, a game shown, new, modify, delete,
// the field rules and its captions.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "correspondence/corres.h"
#include "correspondence/saisie_coup.h"
#include "localisation/textes_langue.h"
#include "platform/base_donnees.h"
#include "platform/boites.h"
#include "platform/fenetres.h"
#include "platform/imprimante.h"
#include "play/parametres.h"
#include "tests/common/aide_pdf.h"
#include "tests/correspondence/aide_corres.h"

using plateforme::BoitesEnTest;

namespace {

class Manager : public TestCorres {
 protected:
  // What the manager's buttons show: enabled or not, in a fixed order.
  QString boutons() const {
    QString s;
    for (QWidget* w : {static_cast<QWidget*>(c->Frame1), static_cast<QWidget*>(c->Command3),
                       static_cast<QWidget*>(c->Command4), static_cast<QWidget*>(c->Command5),
                       static_cast<QWidget*>(c->Command8), static_cast<QWidget*>(c->Command7),
                       static_cast<QWidget*>(c->Command6), static_cast<QWidget*>(c->picture1)})
      s += w->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
  }
  static void quitte(QLineEdit* champ) {
    QFocusEvent e(QEvent::FocusOut);
    QApplication::sendEvent(champ, &e);
  }
};

TEST_F(Manager, LaListeMontreLesPartiesEtLeurTrait) {
  const qint64 a = ajoute("", true);                 // no move, the user has White: the user's move
  const qint64 b = ajoute("", false);                // no move, the user has Black: waiting
  const qint64 d = ajoute("1.e4 e5 2.Tg1 Tg8", true);  // equal moves in a row: the user's move
  PartieCorres fini = lue(ajoute("1.e4", true, 1, "1-0"));
  fini.debut = QDate(2005, 3, 1);
  fini.fin = QDate(2005, 3, 11);
  ASSERT_TRUE(modifie_partie(base_corres, fini));
  ASSERT_TRUE(enregistre_coup_envoye(base_corres, fini.cle, "1.e4", "e4", QDate(2005, 3, 2)));
  PartieCorres recent = lue(ajoute("1.e4", true));
  recent.debut = QDate(2026, 3, 10);
  ASSERT_TRUE(modifie_partie(base_corres, recent));
  manager();
  // Latest start first; two games started the same day keep the base's order.
  EXPECT_EQ(colonne(1), (QStringList{reference(recent.cle), reference(a), reference(b), reference(d),
                                     reference(fini.cle)}));
  EXPECT_EQ(colonne(0), (QStringList{" 1", " 2", " 3", " 4", " 5"}));
  EXPECT_EQ(icones(), (QStringList{"validation", "main", "validation", "main", "interdiction"}));
  EXPECT_EQ(colonne(2), (QStringList(5, "0012")));
  EXPECT_EQ(colonne(5).last(), "01/03/2005");
  EXPECT_EQ(colonne(6), (QStringList{"", "", "", "", "10"}));
  EXPECT_EQ(colonne(8).last(), "11/03/2005");
  EXPECT_EQ(colonne(9).last(), "e4");
  EXPECT_EQ(boutons(), "01000000");
  EXPECT_EQ(c->windowTitle(), texte(409) + " - " + texte(29));
}

TEST_F(Manager, ImprimerEditeLaListeEtLeDit) {
  // An empty list prints nothing and says nothing.
  manager();
  c->Command1->click();
  EXPECT_TRUE(impressions().isEmpty());
  EXPECT_TRUE(BoitesEnTest::textes().isEmpty());

  const qint64 a = ajoute("1.e4", true);
  const qint64 b = ajoute("", false);
  liste_parties_corres();
  BoitesEnTest::repond(boite::OK);
  c->Command1->click();
  ASSERT_EQ(impressions().size(), 1);
  const QStringList pages = pages_pdf(impressions().back());
  ASSERT_EQ(pages.size(), 1);
  EXPECT_TRUE(pages[0].contains(texte(409).trimmed().toUpper())) << pages[0].toStdString();
  for (qint64 cle : {a, b}) EXPECT_TRUE(pages[0].contains(reference(cle))) << reference(cle).toStdString();
  EXPECT_TRUE(pages[0].contains(QStringLiteral("Lui")));
  EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(220)});
}

TEST_F(Manager, UnClicMontreLaPartieEtLesBoutonsDuTrait) {
  struct Cas {
    const char* coups;
    bool jai_blanc;
    bool au_joueur;
  } cas[] = {{"", true, true}, {"", false, false}, {"1.e4 e5", true, true}, {"1.e4 e5 2.Cf3", true, false}};
  for (const Cas& k : cas) ajoute(QString::fromUtf8(k.coups), k.jai_blanc, 1);
  manager();
  for (qint64 cle = 1; cle <= 4; ++cle) {
    const Cas& k = cas[cle - 1];
    SCOPED_TRACE(k.coups);
    clique(cle);
    EXPECT_EQ(c->cle_affichee(), cle);
    EXPECT_EQ(c->Text9->toPlainText(), QString::fromUtf8(k.coups));
    EXPECT_EQ(c->Command7->isEnabled(), k.au_joueur);
    EXPECT_EQ(c->Command6->isEnabled(), !k.au_joueur);
    EXPECT_TRUE(c->picture1->isEnabled());
  }
  EXPECT_EQ(c->Text5->text(), "0004");
  EXPECT_EQ(c->Text17->text(), "0012");
  EXPECT_EQ(c->Text2->text(), "Moi");
  EXPECT_EQ(c->Text1->text(), "lui@exemple.org");
  EXPECT_EQ(c->MaskEdBox3->text(), "01/03/2026");
  EXPECT_EQ(c->Text10->text(), " 11");  // days from the start to today
  EXPECT_TRUE(c->Option1[1]->isChecked());
  EXPECT_FALSE(c->Frame1->isEnabled());
}

// Where the description shows no game (a row that cannot be read, a list refreshed
// after a save, a new game) the commands on a game are off, the move window keyless.
TEST_F(Manager, SansPartieMontreeLesCommandesSurUnePartieSontEteintes) {
  const qint64 a = ajoute("", false), b = ajoute("", false);  // both wait for White's move
  manager();
  const QString base = base_corres, illisible = dossier() + "/illisible.db";
  ecrit_octets(illisible, QByteArray(4096, 'x'));
  const std::pair<std::function<void()>, QString> cas[] = {  // the buttons, Text5, the move window's key
      {[&] { base_corres = illisible; BoitesEnTest::repond(boite::OK); clique(a); base_corres = base; }, "010000000"},
      {[&] { BoitesEnTest::repond(boite::OUI); BoitesEnTest::repond(boite::OK);
             c->Command4->click(); c->Command8->click(); }, "0100000000020"},
      {[&] { c->Command3->click(); }, "100010000"},
  };
  for (const auto& [fait, attendu] : cas) {
    clique(b);
    fait();
    c->Command6_Click();  // as if its button were on
    const saisie_coup* s = fenetres::existante<saisie_coup>();
    EXPECT_EQ(boutons() + c->Text5->text() + QString::number(s ? s->cle() : -1), attendu);
    fenetres::decharge<saisie_coup>();
  }
}

TEST_F(Manager, UneNouvellePartieEstEnregistreeApresConfirmation) {
  manager();
  c->Command3->click();
  EXPECT_EQ(mode_saisie_corres, 1);
  EXPECT_EQ(boutons(), "10001000");
  EXPECT_EQ(c->Text2->text(), "Moi");
  EXPECT_EQ(c->Text4->text(), "moi@exemple.org");
  EXPECT_EQ(c->Text7->text(), "1600");
  EXPECT_EQ(c->Text12->text(), "*");
  EXPECT_EQ(c->MaskEdBox3->text(), "12/03/2026");
  // A missing required field refuses, with nothing written.
  c->Text3->setText("Lui");
  BoitesEnTest::repond(boite::OK);
  c->Command8->click();
  EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(447)});
  c->Text1->setText("lui@exemple.org");
  c->Text17->setText("34");
  c->Option1[1]->setChecked(true);
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  c->Command8->click();
  ASSERT_EQ(BoitesEnTest::textes().size(), 2);
  EXPECT_EQ(BoitesEnTest::textes()[0], texte(445) + "Moi" + texte(442) + "Lui" + texte(443));
  EXPECT_EQ(BoitesEnTest::textes()[1], texte(446));
  const PartieCorres p = lue(1);
  EXPECT_EQ(p.blanc, "Moi");
  EXPECT_EQ(p.lieu, "Autun");
  EXPECT_EQ(p.debut, QDate(2026, 3, 12));
  EXPECT_FALSE(p.fin.isValid());
  EXPECT_EQ(p.cle_adverse.toInt(), 34);
  EXPECT_EQ(p.notation, 1);
  EXPECT_EQ(p.resultat, "*");
  EXPECT_EQ(colonne(3), QStringList{"Moi"});
  EXPECT_EQ(boutons(), "01000000");
  // The date is stored as yyyy-mm-dd.
  plateforme::BaseDonnees b("verif");
  b.ouvre(base_corres);
  EXPECT_EQ(b.valeur("SELECT \"Date debut\" FROM PARTIE").toString(), "2026-03-12");
}

TEST_F(Manager, ModifierPeutEffacerLaDateDeFinSansToucherAuxCoups) {
  const qint64 cle = ajoute("1.e4 e5", true, 1, "1-0");
  PartieCorres p = lue(cle);
  p.fin = QDate(2026, 3, 5);
  ASSERT_TRUE(modifie_partie(base_corres, p));
  manager();
  clique(cle);
  EXPECT_EQ(c->MaskEdBox4->text(), "05/03/2026");
  c->Command4->click();
  EXPECT_EQ(boutons(), "10011101");
  c->MaskEdBox4->clear();
  c->Text12->setText("*");
  c->Text9->clear();  // an empty list keeps the stored moves
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  c->Command8->click();
  p = lue(cle);
  EXPECT_FALSE(p.fin.isValid());
  EXPECT_EQ(p.coups, "1.e4 e5");
  EXPECT_EQ(icones(), QStringList{"main"});

  // A move list that does not replay in the game's letters is refused.
  clique(cle);
  c->Command4->click();
  c->Text9->setPlainText("1.e4 e5 2.Nf3");
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::OK);
  c->Command8->click();
  ASSERT_EQ(BoitesEnTest::textes().size(), 1);
  EXPECT_TRUE(BoitesEnTest::textes()[0].contains("Nf3"));
  EXPECT_EQ(lue(cle).coups, "1.e4 e5");
}

TEST_F(Manager, SupprimerDemandeConfirmation) {
  const qint64 cle = ajoute("1.e4");
  ajoute("");
  manager();
  clique(cle);
  BoitesEnTest::repond(boite::NON);
  c->Command5->click();
  EXPECT_TRUE(lit_partie(base_corres, cle).has_value());
  BoitesEnTest::efface();
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  c->Command5->click();
  EXPECT_EQ(BoitesEnTest::textes(),
            (QStringList{texte(441) + "Moi" + texte(442) + "Lui" + texte(443), texte(444)}));
  EXPECT_FALSE(lit_partie(base_corres, cle).has_value());
  EXPECT_EQ(c->List1->topLevelItemCount(), 1);
}

TEST_F(Manager, LesChampsSontVerifiesQuandIlsPerdentLeFocus) {
  manager();
  c->Command3->click();
  struct Cas {
    QLineEdit* champ;
    const char* saisi;
    const char* apres;
    bool message;
  } cas[] = {
      {c->MaskEdBox3, "12/03/05", "12/03/2005", false},
      {c->MaskEdBox3, "12/03/51", "12/03/1951", false},
      {c->MaskEdBox3, "31/02/2026", "12/03/2026", true},
      {c->MaskEdBox4, "pas une date", "", true},
      {c->MaskEdBox4, "", "", false},
      {c->Text17, "abc", "0", true},
      {c->Text17, "", "0", true},
      {c->Text17, "34", "34", false},
      {c->Text7, "1 8", "1500", true},
      {c->Text6, "1750", "1750", false},
  };
  for (const Cas& k : cas) {
    SCOPED_TRACE(k.saisi);
    BoitesEnTest::efface();
    if (k.message) BoitesEnTest::repond(boite::OK);
    // A box on the screen takes the activation from the window: the field
    // is told once more that it lost the focus, and still one box shows.
    int temoins = 0;
    BoitesEnTest::temoin([&](const plateforme::BoiteVue&) {
      if (temoins++ > 0) return;
      QFocusEvent perdu(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
      QCoreApplication::sendEvent(k.champ, &perdu);
    });
    k.champ->setText(QString::fromUtf8(k.saisi));
    quitte(k.champ);
    EXPECT_EQ(k.champ->text(), QString::fromUtf8(k.apres));
    EXPECT_EQ(BoitesEnTest::vues().size(), k.message ? 1 : 0);
  }
}

TEST_F(Manager, UneDateSeTapeAvecSesBarres) {
  manager();
  c->Command3->click();
  c->MaskEdBox4->clear();
  QTest::keyClicks(c->MaskEdBox4, "12032005");
  EXPECT_EQ(c->MaskEdBox4->text(), "12/03/2005");
  // Backspace takes two characters: the last one, then its own.
  QTest::keyClick(c->MaskEdBox4, Qt::Key_Backspace);
  EXPECT_EQ(c->MaskEdBox4->text(), "12/03/20");
}

TEST_F(Manager, UnMauvaisCheminDeBaseEstSignaleEtLaListeResteVide) {
  base_corres = dossier() + "/absente.db";
  BoitesEnTest::repond(boite::OK);
  manager();
  ASSERT_EQ(BoitesEnTest::textes().size(), 1);
  EXPECT_TRUE(BoitesEnTest::textes()[0].startsWith("Warning, your base path is not correct"));
  EXPECT_EQ(c->List1->topLevelItemCount(), 0);
}

TEST_F(Manager, LesLibellesViennentDeLaLangue) {
  manager();
  const std::pair<const char*, QString> cas[] = {
      {"Label22", texte(421)},        {"Label15", texte(429)},        {"Label1", texte(414) + " :"},
      {"Label10", texte(417) + " :"}, {"Option1(2)", texte(433)},     {"Command1", texte(125)},
      {"Command2", texte(211)},       {"Label12", "&Résultat :"},
  };
  for (const auto& [nom, attendu] : cas) EXPECT_EQ(texte_montre(c->findChild<QWidget*>(nom)), attendu) << nom;
  EXPECT_EQ(c->List1->headerItem()->text(9), texte(420));
}

}  // namespace
