// The engine parameter files: the window parametre, loading both profiles or
// none, and the files the preferences dialog saves.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "app/parametre_moteur.h"
#include "play/parametres.h"
#include "app/preferences.h"
#include "chess/etat.h"
#include "chess/poids.h"
#include "localisation/textes_langue.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "platform/dialogues_fichiers.h"
#include "platform/lancement.h"
#include "tests/app/aide_preferences.h"

namespace {

using plateforme::BoitesEnTest;
using plateforme::DialoguesEnTest;

class ParametresMoteur : public TestPreferences {
 protected:
  void SetUp() override {
    TestPreferences::SetUp();
    demarre_avec({"DEB_BLANC=1", "AFF_NOUVELLE=0", "PROFONDEUR_MAX=1"});
  }
  parametre& ouvre_parametre() {
    menu().menu_moteur->trigger();
    parametre* p = fenetres::existante<parametre>();
    if (!p) throw std::runtime_error("the engine parameter window did not open");
    return *p;
  }
  // Fills both paths and presses the load button, answering one box.
  void charge(const QString& un, const QString& deux) {
    parametre& p = ouvre_parametre();
    p.Text1[1]->setText(un);
    p.Text1[2]->setText(deux);
    BoitesEnTest::repond(boite::OK);
    p.Command2->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  QString blanc() const { return chemin("blanc.ini"); }
  QString noir() const { return chemin("noir.ini"); }
};

}  // namespace

TEST_F(ParametresMoteur, TheWindowIsCaptionedAndProposesTheSettingsFile) {
  parametre& p = ouvre_parametre();
  EXPECT_EQ(p.windowTitle(), "Fichier de paramètres externe (INI)");
  const std::pair<const char*, const char*> libelles[] = {
      {"Command3(1)", "&Fichier :"},    {"Command3(2)", "&Fichier :"},
      {"voir(1)", "<< &Voir"},          {"voir(2)", "<< &Voir"},
      {"Command1", "&Annuler"},         {"Command2", "&Charger les paramètres externes"}};
  for (const auto& [nom, attendu] : libelles)
    EXPECT_EQ(p.findChild<QAbstractButton*>(nom)->text(), attendu) << nom;
  EXPECT_EQ(p.findChild<QGroupBox*>("Frame2(1)")->title(), "Joueur - &1 (BLANC en mode AUTO)");
  EXPECT_EQ(p.findChild<QGroupBox*>("Frame2(2)")->title(), "Joueur - &2 (NOIR en mode AUTO)");
  EXPECT_EQ(p.findChild<QLabel*>("Label1")->text(), ::texte(653));
  EXPECT_EQ(p.findChild<QLineEdit*>("Text1(1)")->text(), fichier_ini);
  EXPECT_EQ(p.findChild<QLineEdit*>("Text1(2)")->text(), fichier_ini);
  p.Command1->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetres::existante<parametre>(), nullptr);
  EXPECT_EQ(profil2_charge, 0);
}

TEST_F(ParametresMoteur, BothFilesFillTheirOwnProfile) {
  ecrit_fichier(blanc(), {"[CALCUL]", "PROFONDEUR_MAX=3", "NOTE_MATERIEL_FOU=320", "MODE_JEUX=4",
                          "NOTE_MOBILITE_DAME=1.5", "NOTE_MOBILITE_DAME=2.5"});
  ecrit_fichier(noir(), {"NOM_MOTEUR=Noiraud", "NOTE_MATERIEL_TOUR=480", "MALUS_ROI=55", "ALPHA_BETA=1",
                         "NIVEAU_ELO=1700", "OUVERTURE_ALEATOIRE=1", "SEUIL_CENTRE=12.5", "IMP=1"});
  const float fou_noir = note_materiel[indice_type(2, TYPE_FOU)];
  const float tour_blanc = note_materiel[indice_type(1, TYPE_TOUR)];
  charge(blanc(), noir());
  EXPECT_EQ(BoitesEnTest::textes(), QStringList({::texte(656)}));
  EXPECT_EQ(fenetres::existante<parametre>(), nullptr);
  EXPECT_NE(profil2_charge, 0);
  // Profile 1.
  EXPECT_EQ(profondeur_max[1], 3);
  EXPECT_EQ(note_materiel[indice_type(1, TYPE_FOU)], 320.0f);
  EXPECT_EQ(note_mobilite[indice_type(1, TYPE_DAME)], 2.5f);  // the last of two
  EXPECT_EQ(note_materiel[indice_type(1, TYPE_TOUR)], tour_blanc);
  EXPECT_EQ(mode_jeux, 1);  // not an engine key
  // Profile 2.
  EXPECT_EQ(nom_moteur[2], "Noiraud");
  EXPECT_EQ(note_materiel[indice_type(2, TYPE_TOUR)], 480.0f);
  EXPECT_EQ(note_materiel[indice_type(2, TYPE_FOU)], fou_noir);
  EXPECT_EQ(malus_roi[2], 55.0f);
  EXPECT_EQ(alpha_beta[2], 1);
  EXPECT_EQ(niveau_elo[2], 1700);
  EXPECT_EQ(ouverture_aleatoire[2], 1);
  EXPECT_EQ(seuil_centre[2], 12);  // rounded to the even neighbour
  EXPECT_EQ(imp, 0);
  // Opening the window again shows the two files.
  parametre& p = ouvre_parametre();
  EXPECT_EQ(p.Text1[1]->text(), blanc());
  EXPECT_EQ(p.Text1[2]->text(), noir());
  EXPECT_EQ(fichiers_parametres[1], blanc());
}

TEST_F(ParametresMoteur, AFileWithABadValueIsRefusedWholeAndNeitherProfileChanges) {
  struct Cas {
    const char* fichier;  // "1" or "2": which file holds the bad line
    const char* ligne;
  };
  const Cas cas[] = {
      {"1", "NIVEAU_ELO=abc"},        {"2", "PROFONDEUR_MAX=7"},      {"2", "NOTE_MATERIEL_DAME=beaucoup"},
      {"1", "SEUIL_BONUS_ECHEC=99999"}, {"2", "ALPHA_BETA=oui"},       {"1", "INDICE_ATTAQUE=1e3"},
      {"2", "ACTIVE_BASE_CON=300"},   {"1", "NOTE_ROQUE="},
      {"1", "NOTE_MATERIEL_DAME=NaN"}, {"2", "MALUS_DOUBLE=inf"},      {"1", "NOTE_CENTRE=1e308"},
      {"2", "INDICE_DEFENSE=-inf"},   {"1", "BONUS_ECHEC=1000000000000000000000000000000000000000"},
  };
  for (const Cas& c : cas) {
    const bool premier = c.fichier == std::string("1");
    ecrit_fichier(blanc(), {"[CALCUL]", "PROFONDEUR_MAX=3", premier ? c.ligne : "BONUS_ECHEC=5"});
    ecrit_fichier(noir(), {"NOTE_MATERIEL_TOUR=480", "", premier ? "MALUS_ROI=5" : c.ligne});
    const QStringList avant = etat_ecrit();
    profil_moteur = 2;
    const QStringList avant2 = etat_ecrit();
    profil_moteur = 1;
    BoitesEnTest::efface();
    charge(blanc(), noir());
    const QString cle = QString(c.ligne).section('=', 0, 0);
    ASSERT_EQ(BoitesEnTest::vues().size(), 1) << c.ligne;
    const QString message = BoitesEnTest::vues()[0].texte;
    EXPECT_TRUE(message.contains(premier ? blanc() : noir())) << message.toStdString();
    EXPECT_TRUE(message.contains("ligne 3")) << message.toStdString();
    EXPECT_TRUE(message.contains(c.ligne)) << message.toStdString();
    EXPECT_EQ(BoitesEnTest::vues()[0].style & boite::EXCLAMATION, boite::EXCLAMATION);
    EXPECT_EQ(etat_ecrit(), avant) << c.ligne;
    profil_moteur = 2;
    EXPECT_EQ(etat_ecrit(), avant2) << c.ligne;
    profil_moteur = 1;
    EXPECT_EQ(profil2_charge, 0);
    ASSERT_NE(fenetres::existante<parametre>(), nullptr);
    fenetres::decharge<parametre>();
  }
}

TEST_F(ParametresMoteur, AMissingFileLoadsNothing) {
  ecrit_fichier(blanc(), {"PROFONDEUR_MAX=3"});
  for (const auto& [un, deux] : {std::pair{chemin("absent.ini"), blanc()}, std::pair{blanc(), chemin("absent.ini")}}) {
    BoitesEnTest::efface();
    charge(un, deux);
    EXPECT_EQ(BoitesEnTest::textes(), QStringList({"[" + chemin("absent.ini") + "] " + ::texte(270)}));
    EXPECT_EQ(profondeur_max[1], 1);
    EXPECT_EQ(profil2_charge, 0);
    fenetres::decharge<parametre>();
  }
}

TEST_F(ParametresMoteur, ValuesWithAPointReadTheSameInAFrenchLocale) {
  if (!passe_en_locale_francaise()) GTEST_SKIP() << "no French locale on this system";
  ecrit_fichier(blanc(), {"NOTE_MOBILITE_FOU=3.75", "INDICE_DEFENSE=2.5"});
  ecrit_fichier(noir(), {"MOBILITE_EVOLUTIVE_ROI=.25", "NOTE_MOBILITE_FOU=4,5"});
  charge(blanc(), noir());
  revient_locale_c();
  EXPECT_EQ(note_mobilite[indice_type(1, TYPE_FOU)], 3.75f);
  EXPECT_EQ(indice_defense[1], 2.5f);
  EXPECT_EQ(mobilite_evolutive[indice_type(2, TYPE_ROI)], 0.25f);
  // A comma ends the value: "4" is read, the "5" after it is another item.
  EXPECT_EQ(note_mobilite[indice_type(2, TYPE_FOU)], 4.0f);
}

TEST_F(ParametresMoteur, AFileSavedByThePreferencesLoadsAsAProfile) {
  ouvre();
  tape("Text22", "Sauve");
  tape("Text5(4)", "555");  // rook material
  liste("Combo1")->setCurrentIndex(3);
  DialoguesEnTest::repond(blanc());
  BoitesEnTest::repond(boite::OK);
  dialogue().Command4->click();
  fenetres::decharge<pref>();
  ecrit_fichier(noir(), {"NOM_MOTEUR=Autre"});
  charge(noir(), blanc());
  EXPECT_EQ(nom_moteur[2], "Sauve");
  EXPECT_EQ(note_materiel[indice_type(2, TYPE_TOUR)], 555.0f);
  EXPECT_EQ(profondeur_max[2], 3);
  EXPECT_EQ(nom_moteur[1], "Autre");
  EXPECT_EQ(profondeur_max[1], 1);
}

TEST_F(ParametresMoteur, BrowseAndViewUseTheDesktop) {
  parametre& p = ouvre_parametre();
  DialoguesEnTest::repond(blanc());
  p.Command3[2]->click();
  EXPECT_EQ(p.Text1[2]->text(), blanc());
  ASSERT_EQ(DialoguesEnTest::vus().size(), 1);
  EXPECT_EQ(DialoguesEnTest::vus()[0].titre, ::texte(650));
  EXPECT_EQ(DialoguesEnTest::vus()[0].filtre, "Fichiers INI (*.ini)|*.ini");
  EXPECT_FALSE(DialoguesEnTest::vus()[0].sauver);
  DialoguesEnTest::repond(QString());  // cancelled: the path stays
  p.Command3[2]->click();
  EXPECT_EQ(p.Text1[2]->text(), blanc());

  plateforme::LancementsEnTest::efface();
  p.voir[1]->click();  // the settings file
  EXPECT_EQ(plateforme::LancementsEnTest::demandes(), QStringList({"fichier:" + fichier_ini}));
  BoitesEnTest::repond(boite::OK);
  p.voir[2]->click();  // not written yet
  EXPECT_EQ(BoitesEnTest::textes(), QStringList({::texte(270)}));
  p.Text1[2]->clear();
  p.voir[2]->click();
  EXPECT_EQ(plateforme::LancementsEnTest::demandes().size(), 1);
}
