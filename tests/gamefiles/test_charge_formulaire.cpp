// The load-and-filter form: its fields and the settings, its checks, its buttons.
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/fenetres.h"
#include "play/parametres.h"
#include "gamefiles/charge.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fichiers_texte.h"
#include "platform/lancement.h"
#include "play/plateau.h"
#include "tests/gamefiles/aide_charge.h"

namespace {

class FormulaireCharge : public TestChargePgn {
 protected:
  charge& ouvre(int mode) {
    mode_charge = mode;
    affiche_charge();
    charge* f = fenetres::existante<charge>();
    if (!f) throw std::runtime_error("no form");
    return *f;
  }
};

}  // namespace

TEST_F(FormulaireCharge, LesChampsViennentDesReglagesEtLesLibellesDeLaLangue) {
  // Each setting with the field that shows it.
  const struct {
    QString* reglage;
    QLineEdit* charge::*champ;
    const char* valeur;
  } champs[] = {
      {&fichier_pgn, &charge::Text1, "/tmp/parties.pgn"}, {&critere_blanc, &charge::Text2, "Smith"},
      {&critere_noir, &charge::Text3, "Jones"},           {&critere_eco, &charge::Text5, "B2"},
      {&critere_resultat, &charge::Text6, "1-0"},         {&critere_date, &charge::Text7, "2024"},
      {&critere_site, &charge::Text8, "Dijon"},           {&critere_ronde, &charge::Text9, "3"},
      {&critere_event, &charge::Text10, "Open"},
  };
  for (const auto& ch : champs) *ch.reglage = QString::fromUtf8(ch.valeur);
  critere_lesdeux = 1;
  max_seuil_partie = 500;
  charge& f = ouvre(0);
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Chargement d'un fichier de parties en mémoire"));
  for (const auto& ch : champs) EXPECT_EQ((f.*ch.champ)->text(), QString::fromUtf8(ch.valeur)) << ch.valeur;
  EXPECT_EQ(f.Text4->text(), QStringLiteral("500"));
  EXPECT_TRUE(f.Check2->isChecked());
  EXPECT_FALSE(f.Frame1->isEnabled()) << "the filter is changed after ticking Check1";
  f.Check1->click();
  EXPECT_TRUE(f.Frame1->isEnabled());
  EXPECT_TRUE(f.Command2->isEnabled());
  EXPECT_TRUE(f.Frame2->isHidden());
  EXPECT_TRUE(f.Command4->isHidden());

  const std::pair<QAbstractButton*, const char*> libelles[] = {
      {f.Command3, "&Fichier :"}, {f.voir, "<< &Voir"}, {f.Command1, "&Annuler"}, {f.Command2, "&Charger les parties !"},
      {f.Command5, "&Ré-initialiser le filtre"}, {f.Command6, "&Sauvegarder le filtre"}, {f.Check2, "Blancs ou Noirs indifféremment"}};
  for (const auto& [bouton, texte] : libelles) EXPECT_EQ(bouton->text(), QString::fromUtf8(texte));
  EXPECT_EQ(f.Label11->text(), QStringLiteral("Evénement :"));
  EXPECT_EQ(f.Option1[1]->text(), QStringLiteral("&PGN"));
}

TEST_F(FormulaireCharge, EnModeExtraireLeChargementEtLaLimiteSontCaches) {
  charge& f = ouvre(1);
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Extraire et sauvegarder des parties"));
  for (QWidget* w : std::initializer_list<QWidget*>{f.Command2, f.Label3, f.Text4, f.Label6}) EXPECT_TRUE(w->isHidden());
  EXPECT_FALSE(f.Frame2->isHidden());
  EXPECT_FALSE(f.Command4->isEnabled()) << "the copy to a new file is not built yet";
  f.Option1[1]->click();
  EXPECT_FALSE(f.Check3->isEnabled());
  EXPECT_FALSE(f.Check4->isEnabled());
}

TEST_F(FormulaireCharge, LesValeursNumeriquesSontVerifiees) {
  charge& f = ouvre(0);
  const struct {
    QLineEdit* champ;
    const char* saisi;
    const char* garde;
    bool message;
  } cas[] = {
      {f.Text4, "250", "250", false},  {f.Text4, "abc", "1000", true}, {f.Text4, "0", "1000", true},
      {f.Text4, "40000", "1000", true}, {f.Text4, "32767", "32767", false}, {f.Text9, "2a", "", true},
      {f.Text9, "12", "12", false},    {f.Text9, "", "", false},
  };
  for (const auto& c : cas) {
    plateforme::BoitesEnTest::efface();
    if (c.message) plateforme::BoitesEnTest::repond(boite::OK);
    c.champ->setText(QString::fromLatin1(c.saisi));
    if (c.champ == f.Text4)
      f.Text4_LostFocus();
    else
      f.Text9_LostFocus();
    EXPECT_EQ(c.champ->text(), QString::fromLatin1(c.garde)) << c.saisi;
    EXPECT_EQ(plateforme::BoitesEnTest::textes().size(), c.message ? 1 : 0) << c.saisi;
    if (c.message) {
      EXPECT_EQ(plateforme::BoitesEnTest::textes()[0], QStringLiteral("Veuillez saisir une valeur numérique SVP !"));
    }
  }
}

TEST_F(FormulaireCharge, ReinitialiserVideLesCriteresSaufLaLimiteEtLesDeuxCouleurs) {
  critere_lesdeux = 1;
  critere_blanc = QStringLiteral("Smith");
  critere_site = QStringLiteral("Dijon");
  charge& f = ouvre(0);
  f.Command5->click();
  for (QLineEdit* t : {f.Text2, f.Text3, f.Text5, f.Text6, f.Text7, f.Text8, f.Text9, f.Text10}) EXPECT_TRUE(t->text().isEmpty());
  EXPECT_EQ(f.Text4->text(), QStringLiteral("1000"));
  EXPECT_TRUE(f.Check2->isChecked());
  EXPECT_EQ(critere_blanc, QStringLiteral("Smith")) << "the settings change only on load or save";
}

TEST_F(FormulaireCharge, ChargerListeLesPartiesAvecLesCriteresDuFormulaire) {
  const QString chemin = ecrit_fichier(partie_pgn("Smith", "Jones", "1.e4") + partie_pgn("Jones", "Smith", "1.d4"));
  charge& f = ouvre(0);
  f.Text1->setText(chemin);
  f.Text2->setText(QStringLiteral("jones"));
  f.Text4->setText(QStringLiteral("1"));  // read only when the filter is saved
  f.Command2->click();
  EXPECT_EQ(fichier_pgn, chemin);
  EXPECT_EQ(critere_blanc, QStringLiteral("jones"));
  EXPECT_EQ(max_seuil_partie, 1000);
  EXPECT_EQ(colonne(4), QStringList({"Jones"}));
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetres::existante<charge>(), nullptr) << "the form is unloaded";
}

TEST_F(FormulaireCharge, SauvegarderLeFiltreEcritLeFichierDeReglages) {
  charge& f = ouvre(0);
  f.Text3->setText(QStringLiteral("Dupont"));
  f.Check2->setChecked(true);
  f.Text4->setText(QStringLiteral("250"));
  plateforme::BoitesEnTest::repond(boite::OK);
  f.Command6->click();
  EXPECT_EQ(plateforme::BoitesEnTest::textes(), QStringList({"Le filtre a été sauvegardé !"}));
  EXPECT_EQ(critere_noir, QStringLiteral("Dupont"));
  EXPECT_EQ(max_seuil_partie, 250);
  QStringList lignes;
  ASSERT_TRUE(plateforme::lit_lignes(fichier_ini, lignes));
  EXPECT_TRUE(lignes.contains(QStringLiteral("CRITERE_NOIR=Dupont")));
  EXPECT_TRUE(lignes.contains(QStringLiteral("CRITERE_LESDEUX=1")));
  EXPECT_TRUE(lignes.contains(QStringLiteral("MAX_SEUIL_PARTIE=250")));
}

TEST_F(FormulaireCharge, ParcourirEtVoirLeFichier) {
  const QString chemin = ecrit_fichier(partie_pgn("A", "B", "1.e4"));
  charge& f = ouvre(0);
  f.Text1->clear();
  EXPECT_FALSE(f.Command2->isEnabled());
  plateforme::DialoguesEnTest::repond(chemin);
  f.Command3->click();
  EXPECT_EQ(f.Text1->text(), chemin);
  EXPECT_TRUE(f.Command2->isEnabled());
  f.voir->click();
  EXPECT_EQ(plateforme::LancementsEnTest::demandes(), QStringList({QStringLiteral("fichier:") + chemin}));

  f.Text1->setText(dossier() + QStringLiteral("/absent.pgn"));
  plateforme::BoitesEnTest::repond(boite::OK);
  f.voir->click();
  EXPECT_EQ(plateforme::BoitesEnTest::textes().last(), QStringLiteral("Le fichier PGN est inconnu !"));
}
