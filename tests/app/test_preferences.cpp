// The preferences dialog: its captions and fields by name, what OK, Cancel,
// the factory values and "save as" do to memory and to the settings file, and
// the checks made on the fields.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <sys/stat.h>
#include <functional>

#include "platform/fenetres.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "app/preferences.h"
#include "gamefiles/charge.h"
#include "chess/etat.h"
#include "chess/poids.h"
#include "localisation/textes_langue.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "platform/dialogues_fichiers.h"
#include "platform/minuterie.h"
#include "platform/reglage_imprimante.h"
#include "platform/son.h"
#include "play/machine.h"
#include "play/plateau.h"
#include "tests/app/aide_preferences.h"

namespace {

ino_t numero_noeud(const QString& chemin) {
  struct stat s {};
  return ::stat(QFile::encodeName(chemin).constData(), &s) == 0 ? s.st_ino : 0;
}

using plateforme::BoitesEnTest;
using plateforme::DialoguesEnTest;

// A settings file whose every value differs from the built-in one.
QStringList fichier_regle() {
  return {
      "[GENERAL]",
      "CLE_LANGUE=1",
      "NOM_JOUEUR=René",
      "NOM_MOTEUR=Moteur A",
      "MODE_JEUX=2",
      "LIEU_JEU=Autun",
      "NIVEAU_ELO=1850",
      "BASE_ECO=base/eco.db",
      "TRI_ECO=1",
      "DEB_BLANC=1",
      "CURENT_ECHIQUIER=echiquier.bmp",
      "CURENT_PIECE=Morvandel",
      "AFF_REPERE=1",
      "SAUVE_ABREGE=1",
      "AFF_NOUVELLE=0",
      "MACHINE_TRACE_COUP=0",
      "ACTIVE_SON=1",
      "IMP=1",
      "BULLE_AIDE=1",
      "PARTIE_FILTRE=*.pgn",
      "MAX_SEUIL_PARTIE=250",
      "MAX_COUP_OUVERTURE=12",
      "OUVERTURE_DEFAUT=d4",
      "OUVERTURE_ALEATOIRE=0",
      "FILE_LOG=partie.log",
      "GES_LOG=0",
      "ACTIVE_HORLOGE=1",
      "DELAI_PARTIE=01:30:00",
      "DELAI_ATTENTE=250",
      "[TCP/IP]",
      "IP_MODE_SERVEUR=1",
      "IP_ADRESSE_HOST=192.168.1.20",
      "IP_NUM_PORT=6000",
      "IP_NOM_UTILISATEUR=Joueur2",
      "[CALCUL]",
      "ACTIVE_BASE_CON=1",
      "PROFONDEUR_MAX=2",
      "NOTE_MOBILITE_FOU=3.25",
      "MOBILITE_EVOLUTIVE_PION=.3",
      "NOTE_MATERIEL_DAME=1200",
      "NOTE_MATERIEL_FOU=325.5",
      "BONUS_ECHEC=150",
      "SEUIL_BONUS_ECHEC=12",
      "MALUS_ROI=90",
      "SEUIL_CENTRE=9",
      "INDICE_DEFENSE=4",
      "INDICE_ATTAQUE=2.5",
      "ALPHA_BETA=1",
      "[MEL]",
      "ADRESSE_MEL=moi@example.org",
      "NB_JOUR_MAX=45",
  };
}

class Preferences : public TestPreferences {
 protected:
  void SetUp() override {
    TestPreferences::SetUp();
    demarre_avec(fichier_regle());
  }
};

}  // namespace

// --- Captions and fields by name ---------------------------------------------------

TEST_F(Preferences, EveryCaptionComesFromTheLanguageByName) {
  ouvre();
  pref& p = dialogue();
  EXPECT_EQ(p.windowTitle(), "Préférences");
  const QStringList onglets = {"&Générales", "&Impression", "&Paramètres de calcul", "&Connexion TCP/IP",
                               "Partie par correspondance"};
  ASSERT_EQ(p.SSTab1->count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(p.SSTab1->tabText(i), onglets[i]) << i;
  // Field labels: lab(i) is text 540 + i but for the second "x num_coup" and
  // the labels 50 to 56.
  for (int i = 0; i <= 56; ++i) {
    int numero = 540 + i;
    if (i == 37) numero = 570;
    if (i >= 50) numero = QList<int>{575, 577, 606, 607, 608, 609, 604}[i - 50];
    auto* l = qobject_cast<QLabel*>(controle(QStringLiteral("lab(%1)").arg(i)));
    ASSERT_NE(l, nullptr) << i;
    EXPECT_EQ(l->text(), ::texte(numero)) << i;
  }
  EXPECT_EQ(qobject_cast<QLabel*>(controle("lab(30)"))->text(), "x num_coup");
  EXPECT_EQ(qobject_cast<QLabel*>(controle("lab(37)"))->text(), "x num_coup");
  const char* const colonnes[6] = {"Pion", "Fou", "Cavalier", "Tour", "Dame", "Roi"};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(qobject_cast<QLabel*>(controle(QStringLiteral("Label8(%1)").arg(i)))->text(), colonnes[i]);
  const std::pair<const char*, const char*> boutons[] = {
      {"Command1", "&Annuler"}, {"Command2", "&Valider"}, {"Command3", "&Défaut"},
      {"Command4", "&Sauvegarder sous..."}, {"Check1", "&Aperçu avant impression automatique"},
      {"SSCommand3", "&Configuration de l'imprimante"}};
  for (const auto& [nom, attendu] : boutons)
    EXPECT_EQ(qobject_cast<QAbstractButton*>(controle(nom))->text(), attendu) << nom;
  EXPECT_EQ(qobject_cast<QGroupBox*>(controle("Frame1"))->title(), "&Attribution des valeurs");
  EXPECT_EQ(qobject_cast<QGroupBox*>(controle("Frame2"))->title(), "+ Défense / + Attaque");
  EXPECT_EQ(p.Command3->toolTip(), "Valeurs par défaut des paramètres");
  // The fixed lists, in the language.
  EXPECT_EQ(liste("Combo1")->itemText(1), "1 - Initié");
  EXPECT_EQ(liste("Combo2")->itemText(4), "5 - Par correspondance");
  EXPECT_EQ(liste("Combo3")->count(), 8);
  EXPECT_FALSE(liste("Combo1")->isEditable());
  EXPECT_FALSE(liste("Combo2")->isEditable());
  EXPECT_FALSE(liste("Combo3")->isEditable());
}

TEST_F(Preferences, InEnglishTheDialogSpeaksEnglish) {
  menu().choix_langue[2]->trigger();
  ouvre();
  EXPECT_EQ(dialogue().windowTitle(), ::texte(530));
  EXPECT_NE(::texte(530), "Préférences");
  EXPECT_EQ(dialogue().SSTab1->tabText(4), ::texte(409));
  EXPECT_EQ(liste("Combo3")->currentIndex(), 1);
}

TEST_F(Preferences, FieldsShowTheSettingsInMemoryWithMenuChangesNotSaved) {
  // Changes made through the menus since the file was written.
  menu().menu_active_son->trigger();      // sound off
  menu().menu_niv[3]->trigger();          // level 3
  menu().mode_auto->trigger();            // mode 4
  menu().menu_active_horloge->trigger();  // clocks off
  ouvre();
  const std::pair<const char*, const char*> textes[] = {
      {"Text11", "René"},          {"Text22", "Moteur A"},       {"Text12", "Autun"},
      {"Text13", "1850"},          {"Text3", "*.pgn"},           {"Text16", "250"},
      {"Text4", "12"},             {"Text17", "d4"},             {"Text14", "01:30:00"},
      {"Text15", "250"},           {"Text9", "192.168.1.20"},    {"Text8", "6000"},
      {"Text10", "Joueur2"},       {"Text19", "moi@example.org"}, {"Text20", "45"},
      {"Text5(5)", "1200"},        {"Text5(2)", "325,5"},        {"Text6(2)", "3,25"},
      {"Text7(1)", "0,3"},         {"Text6(1)", "1"},            {"Text5(0)", "150"},
      {"Text5(8)", "12"},          {"Text5(11)", "90"},          {"Text5(13)", "9"},
      {"Text5(15)", "4"},          {"Text5(14)", "2,5"},         {"Text5(7)", "900"},
  };
  for (const auto& [nom, attendu] : textes) EXPECT_EQ(texte(nom)->text(), attendu) << nom;
  // Paths as they are in memory: made absolute at start-up.
  EXPECT_EQ(texte("Text1")->text(), chemin("base/eco.db"));
  EXPECT_EQ(texte("Text2")->text(), chemin("partie.log"));
  const std::pair<const char*, bool> cases[] = {
      {"Check9", false}, {"Check12", false}, {"Check13", true}, {"Check14", false}, {"Check2", true},
      {"Check5", true},  {"Check7", false},  {"Check4", false},  {"Check3", true},  {"Check6", false},
      {"Check8", true},  {"Check15", false}, {"Check1", false},  {"Check11", true}, {"Check16", true},
      {"Check10", true}};
  for (const auto& [nom, attendu] : cases) EXPECT_EQ(coche(nom)->isChecked(), attendu) << nom;
  EXPECT_EQ(liste("Combo1")->currentIndex(), 3);
  EXPECT_EQ(liste("Combo2")->currentIndex(), 3);
  EXPECT_EQ(liste("Combo3")->currentIndex(), 0);
  EXPECT_EQ(liste("Combo4")->currentText(), "echiquier.bmp");
  EXPECT_EQ(liste("Combo5")->currentText(), "Morvandel");
  EXPECT_EQ(dialogue().Slider1->value(), 4);
  EXPECT_EQ(dialogue().Slider2->value(), 2);  // 2.5 to the even neighbour
  EXPECT_FALSE(dialogue().Diagramme->pixmap().isNull());
  EXPECT_FALSE(dialogue().Piece->pixmap().isNull());
  EXPECT_TRUE(texte("Text18")->isReadOnly());
}

// --- OK, Cancel, factory values --------------------------------------------------------

TEST_F(Preferences, OkCopiesEveryTabIntoProfileOneAndWritesTheSettingsFile) {
  profil_moteur = 2;
  ouvre();
  tape("Text11", "Alice");
  tape("Text13", "1500");
  tape("Text14", "00:05:00");
  coche("Check9")->setChecked(false);
  coche("Check1")->setChecked(true);  // preview: IMP 0
  liste("Combo2")->setCurrentIndex(0);
  liste("Combo3")->setCurrentIndex(4);
  tape("Text22", "Moteur B");
  liste("Combo1")->setCurrentIndex(1);
  tape("Text5(5)", "950");   // queen material
  tape("Text6(4)", "2.75");  // rook mobility
  tape("Text7(6)", "-0.5");  // king growth
  tape("Text5(15)", "7");
  dialogue().Slider2->setValue(6);
  tape("Text8", "7000");
  coche("Check10")->setChecked(false);
  tape("Text20", "20");
  tape("Text21", "base/autre.db");
  valide();

  EXPECT_EQ(BoitesEnTest::textes().last(), ::texte(400));
  EXPECT_EQ(fenetres::existante<pref>(), nullptr);
  EXPECT_EQ(profil_moteur, 1);
  EXPECT_EQ(nom_joueur[1], "Alice");
  EXPECT_EQ(niveau_elo[1], 1500);
  EXPECT_EQ(delai_partie, "00:05:00");
  EXPECT_EQ(active_son, 0);
  EXPECT_EQ(imp, 0);
  EXPECT_EQ(mode_jeux, 1);
  EXPECT_EQ(cle_langue, 5);
  EXPECT_EQ(nom_moteur[1], "Moteur B");
  EXPECT_EQ(profondeur_max[1], 1);
  EXPECT_EQ(note_materiel[indice_type(1, TYPE_DAME)], 950.0f);
  EXPECT_EQ(note_mobilite[indice_type(1, TYPE_TOUR)], 2.75f);
  EXPECT_EQ(mobilite_evolutive[indice_type(1, TYPE_ROI)], -0.5f);
  EXPECT_EQ(indice_defense[1], 7.0f);
  EXPECT_EQ(indice_attaque[1], 6.0f);
  EXPECT_EQ(ip_num_port, "7000");
  EXPECT_EQ(ip_mode_serveur, 0);
  EXPECT_EQ(nb_jour_max, 20);
  // Relative paths are made absolute in memory; the file keeps them as typed.
  EXPECT_EQ(base_corres, chemin("base/autre.db"));
  const QStringList fichier = lignes_fichier(fichier_ini);
  for (const char* ligne : {"NOM_JOUEUR=Alice", "NIVEAU_ELO=1500", "ACTIVE_SON=0", "IMP=0", "MODE_JEUX=1",
                            "CLE_LANGUE=5", "NOM_MOTEUR=Moteur B", "PROFONDEUR_MAX=1", "NOTE_MATERIEL_DAME=950",
                            "NOTE_MOBILITE_TOUR=2.75", "MOBILITE_EVOLUTIVE_ROI=-.5", "INDICE_DEFENSE=7",
                            "INDICE_ATTAQUE=6", "IP_NUM_PORT=7000", "NB_JOUR_MAX=20", "BASE_CORRES=base/autre.db",
                            "DELAI_PARTIE=00:05:00"})
    EXPECT_TRUE(fichier.contains(ligne)) << ligne;
  // The main window follows: language, marks, title.
  EXPECT_EQ(menu().menu_fichier->title(), ::texte(1));
  EXPECT_TRUE(menu().choix_langue[5]->isChecked());
  EXPECT_FALSE(menu().choix_langue[1]->isChecked());
  EXPECT_TRUE(menu().menu_niv[1]->isChecked());
  EXPECT_FALSE(menu().menu_active_son->isChecked());
  EXPECT_TRUE(menu().mode_machine->isChecked());
  EXPECT_EQ(couleur_joueur, BLANC);
  EXPECT_TRUE(menu().couleur_blanche->isChecked());
}

TEST_F(Preferences, EachFieldReachesItsOwnKey) {
  // Every text field and check box, a value of its own, the line OK writes.
  struct Cas {
    const char* champ;
    const char* valeur;  // typed, or "0" / "1" for a box
    const char* ligne;
  };
  const Cas cas[] = {
      {"Text11", "J1", "NOM_JOUEUR=J1"},          {"Text22", "M1", "NOM_MOTEUR=M1"},
      {"Text12", "Lieu", "LIEU_JEU=Lieu"},        {"Text13", "1111", "NIVEAU_ELO=1111"},
      {"Text3", "*.txt", "PARTIE_FILTRE=*.txt"},  {"Text16", "222", "MAX_SEUIL_PARTIE=222"},
      {"Text4", "7", "MAX_COUP_OUVERTURE=7"},     {"Text1", "b/e.db", "BASE_ECO=b/e.db"},
      {"Text17", "c4", "OUVERTURE_DEFAUT=c4"},    {"Text14", "00:02:00", "DELAI_PARTIE=00:02:00"},
      {"Text15", "333", "DELAI_ATTENTE=333"},     {"Text2", "j.log", "FILE_LOG=j.log"},
      {"Text9", "10.0.0.9", "IP_ADRESSE_HOST=10.0.0.9"}, {"Text8", "4444", "IP_NUM_PORT=4444"},
      {"Text10", "Pseudo", "IP_NOM_UTILISATEUR=Pseudo"}, {"Text19", "a@b.c", "ADRESSE_MEL=a@b.c"},
      {"Text20", "44", "NB_JOUR_MAX=44"},         {"Text21", "b/c.db", "BASE_CORRES=b/c.db"},
      {"Text5(1)", "101", "NOTE_MATERIEL_PION=101"}, {"Text5(2)", "302", "NOTE_MATERIEL_FOU=302"},
      {"Text5(3)", "303", "NOTE_MATERIEL_CAVALIER=303"}, {"Text5(4)", "504", "NOTE_MATERIEL_TOUR=504"},
      {"Text5(5)", "905", "NOTE_MATERIEL_DAME=905"}, {"Text5(6)", "306", "NOTE_MATERIEL_ROI=306"},
      {"Text6(1)", "1.1", "NOTE_MOBILITE_PION=1.1"}, {"Text6(2)", "1.2", "NOTE_MOBILITE_FOU=1.2"},
      {"Text6(3)", "1.3", "NOTE_MOBILITE_CAVALIER=1.3"}, {"Text6(4)", "1.4", "NOTE_MOBILITE_TOUR=1.4"},
      {"Text6(5)", "1.5", "NOTE_MOBILITE_DAME=1.5"}, {"Text6(6)", "1.6", "NOTE_MOBILITE_ROI=1.6"},
      {"Text7(1)", "0.01", "MOBILITE_EVOLUTIVE_PION=.01"}, {"Text7(2)", "0.02", "MOBILITE_EVOLUTIVE_FOU=.02"},
      {"Text7(3)", "0.03", "MOBILITE_EVOLUTIVE_CAVALIER=.03"}, {"Text7(4)", "0.04", "MOBILITE_EVOLUTIVE_TOUR=.04"},
      {"Text7(5)", "0.05", "MOBILITE_EVOLUTIVE_DAME=.05"}, {"Text7(6)", "0.06", "MOBILITE_EVOLUTIVE_ROI=.06"},
      {"Text5(0)", "11", "BONUS_ECHEC=11"},       {"Text5(8)", "13", "SEUIL_BONUS_ECHEC=13"},
      {"Text5(7)", "877", "NOTE_PROMOTION=877"},  {"Text5(10)", "411", "NOTE_ROQUE=411"},
      {"Text5(9)", "77", "MALUS_DOUBLE=77"},      {"Text5(11)", "111", "MALUS_ROI=111"},
      {"Text5(12)", "33", "NOTE_CENTRE=33"},      {"Text5(13)", "14", "SEUIL_CENTRE=14"},
      {"Text5(15)", "9", "INDICE_DEFENSE=9"},     {"Text5(14)", "8", "INDICE_ATTAQUE=8"},
      {"Check13", "0", "SAUVE_ABREGE=0"},         {"Check14", "1", "OUVERTURE_ALEATOIRE=1"},
      {"Check2", "0", "BULLE_AIDE=0"},            {"Check5", "0", "TRI_ECO=0"},
      {"Check7", "1", "GES_LOG=1"},               {"Check4", "1", "AFF_NOUVELLE=1"},
      {"Check12", "0", "ACTIVE_HORLOGE=0"},       {"Check3", "0", "DEB_BLANC=0"},
      {"Check9", "0", "ACTIVE_SON=0"},            {"Check6", "1", "ZIP_PARTIE=1"},
      {"Check8", "0", "AFF_REPERE=0"},            {"Check15", "1", "MACHINE_TRACE_COUP=1"},
      {"Check1", "1", "IMP=0"},                   {"Check11", "0", "ACTIVE_BASE_CON=0"},
      {"Check16", "0", "ALPHA_BETA=0"},           {"Check10", "0", "IP_MODE_SERVEUR=0"},
  };
  ouvre();
  for (const Cas& c : cas) {
    if (QCheckBox* b = dialogue().findChild<QCheckBox*>(c.champ))
      b->setChecked(c.valeur == std::string("1"));
    else
      tape(c.champ, c.valeur);
  }
  texte("Text18")->setText("192.0.2.77");
  valide();
  const QStringList fichier = lignes_fichier(fichier_ini);
  for (const Cas& c : cas) EXPECT_TRUE(fichier.contains(c.ligne)) << c.champ << " " << c.ligne;
  // Text18 shows the address and is no setting.
  EXPECT_TRUE(fichier.filter("192.0.2.77").isEmpty());
}

TEST_F(Preferences, OkWithoutTouchingAFieldChangesNoSettingAndKeepsMenuChanges) {
  menu().menu_active_son->trigger();
  menu().menu_niv[3]->trigger();
  menu().mode_auto->trigger();
  menu().choix_langue[3]->trigger();
  const QStringList avant = etat_ecrit();
  ouvre();
  valide();
  EXPECT_EQ(etat_ecrit(), avant);
  EXPECT_EQ(active_son, 0);
  EXPECT_EQ(profondeur_max[1], 3);
  EXPECT_EQ(mode_jeux, 4);
  EXPECT_EQ(cle_langue, 3);
  // The file now holds them.
  const QStringList fichier = lignes_fichier(fichier_ini);
  for (const char* ligne : {"ACTIVE_SON=0", "PROFONDEUR_MAX=3", "MODE_JEUX=4", "CLE_LANGUE=3"})
    EXPECT_TRUE(fichier.contains(ligne)) << ligne;
}

TEST_F(Preferences, WeightsNobodyTouchedKeepTheirExactValue) {
  // Values that the file's seven digits would not give back exactly.
  note_materiel[indice_type(1, TYPE_PION)] = 1.0f / 3.0f;
  note_mobilite[indice_type(1, TYPE_FOU)] = 1200.0f;
  bonus_echec[1] = 16777216.0f;
  malus_double[1] = 0.1f;
  ouvre();
  EXPECT_EQ(texte("Text6(2)")->text(), "1200");
  EXPECT_EQ(texte("Text7(2)")->text(), "0");
  valide();
  EXPECT_EQ(note_materiel[indice_type(1, TYPE_PION)], 1.0f / 3.0f);
  EXPECT_EQ(note_mobilite[indice_type(1, TYPE_FOU)], 1200.0f);
  EXPECT_EQ(bonus_echec[1], 16777216.0f);
  EXPECT_EQ(malus_double[1], 0.1f);
}

TEST_F(Preferences, AFrenchLocaleShowsAndReadsTheSameNumbers) {
  if (!passe_en_locale_francaise()) GTEST_SKIP() << "no French locale on this system";
  const QLocale ancienne;
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  // The interface's language, not the system's, writes the numbers.
  cle_langue = 2;
  applique_langue();
  const QStringList avant = etat_ecrit();
  ouvre();
  EXPECT_EQ(texte("Text5(2)")->text(), "325.5");
  EXPECT_EQ(texte("Text5(5)")->text(), "1200");
  tape("Text6(3)", "4.5");
  valide();
  QLocale::setDefault(ancienne);
  revient_locale_c();
  QStringList attendu = avant;
  attendu.replaceInStrings("NOTE_MOBILITE_CAVALIER=3.5", "NOTE_MOBILITE_CAVALIER=4.5");
  EXPECT_EQ(etat_ecrit(), attendu);
  EXPECT_EQ(note_materiel[indice_type(1, TYPE_DAME)], 1200.0f);
  EXPECT_EQ(note_materiel[indice_type(1, TYPE_FOU)], 325.5f);
}

TEST_F(Preferences, CancelClosingAndTheFactoryValuesChangeNothingBeforeOk) {
  const QStringList avant = etat_ecrit();
  const QByteArray fichier = octets(fichier_ini);
  ouvre();
  tape("Text11", "Bob");
  coche("Check1")->setChecked(true);
  dialogue().Command3->click();
  qobject_cast<QPushButton*>(controle("Command1"))->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetres::existante<pref>(), nullptr);
  EXPECT_EQ(etat_ecrit(), avant);
  EXPECT_EQ(first_startup, 0);
  EXPECT_EQ(imp, 1);
  EXPECT_EQ(octets(fichier_ini), fichier);

  ouvre();
  tape("Text11", "Bob");
  fenetres::decharge<pref>();
  EXPECT_EQ(etat_ecrit(), avant);
}

TEST_F(Preferences, FactoryValuesReachMemoryAndTheFileWithOk) {
  seuil_partie_nulle = -200.0f;
  ouvre();
  tape("Text19", "garde@example.org");
  dialogue().Command3->click();
  const std::pair<const char*, const char*> textes[] = {
      {"Text11", "Humanoïde"}, {"Text22", "MorvandelV4"}, {"Text12", "Chez moi"}, {"Text13", "1600"},
      {"Text14", "00:15:00"},  {"Text15", "1000"},        {"Text16", "1000"},     {"Text17", "e4"},
      {"Text20", "60"},        {"Text2", "morvandel.log"}, {"Text4", "10"},       {"Text3", "*.PGN"},
      {"Text5(1)", "100"},     {"Text5(2)", "350"},       {"Text5(5)", "1200"},   {"Text6(4)", "3"},
      {"Text7(1)", "0,1"},     {"Text5(7)", "900"},       {"Text5(0)", "1"},      {"Text5(8)", "15"},
      {"Text5(9)", "80"},      {"Text5(10)", "400"},      {"Text5(11)", "180"},   {"Text5(12)", "40"},
      {"Text5(13)", "8"},      {"Text5(15)", "3"},        {"Text5(14)", "1"},     {"Text9", "127.1.0.1"},
      {"Text8", "5555"},       {"Text19", "garde@example.org"}};
  for (const auto& [nom, attendu] : textes) EXPECT_EQ(texte(nom)->text(), attendu) << nom;
  // The databases that ship with the program.
  EXPECT_EQ(texte("Text1")->text(), chemin("base/eco.db"));
  EXPECT_EQ(texte("Text21")->text(), chemin("base/corres.db"));
  EXPECT_TRUE(coche("Check1")->isChecked());
  EXPECT_FALSE(coche("Check6")->isChecked());
  EXPECT_EQ(liste("Combo1")->currentIndex(), 1);
  EXPECT_EQ(liste("Combo4")->currentIndex(), 0);
  EXPECT_EQ(dialogue().Slider1->value(), 3);
  EXPECT_EQ(seuil_partie_nulle, -200.0f);
  EXPECT_EQ(first_startup, 0);

  valide();
  EXPECT_EQ(first_startup, 1);
  EXPECT_EQ(seuil_partie_nulle, -1000.0f);
  EXPECT_EQ(note_materiel[indice_type(1, TYPE_DAME)], 1200.0f);
  EXPECT_EQ(base_eco, chemin("base/eco.db"));
  const QStringList fichier = lignes_fichier(fichier_ini);
  for (const char* ligne : {"FIRST_STARTUP=1", "SEUIL_PARTIE_NULLE=-1000", "NOM_JOUEUR=Humanoïde", "IMP=0"})
    EXPECT_TRUE(fichier.contains(ligne)) << ligne;
}

// --- Field checks ---------------------------------------------------------------------------

TEST_F(Preferences, EachCheckedFieldRefusesWhatTheNextStartWouldRefuse) {
  const QString question = ::texte(233), duree = ::texte(600), port = ::texte(740);
  const QString hors_curseur = ::texte(919), pseudo = ::texte(927).arg(32);
  struct Cas {
    const char* champ;
    const char* tape;
    QString message;     // empty: accepted
    const char* reste;   // the field's text afterwards
  };
  const Cas cas[] = {
      {"Text13", "abc", question, "1300"},
      {"Text13", "40000", question, "1300"},  // beyond the integer range
      {"Text13", "1,5", question, "1300"},    // a fraction, with the interface's decimal comma
      {"Text13", "-32769", question, "1300"},
      {"Text13", "1500.5", question, "1300"},
      {"Text13", "1500,0", {}, "1500,0"},
      {"Text14", "25:00:00", duree, "00:03:00"},
      {"Text14", "1:30:00", {}, "1:30:00"},   // as the clocks read it, kept as typed
      {"Text14", "1:30", duree, "00:03:00"},
      {"Text14", "00:60:00", duree, "00:03:00"},
      {"Text14", "01:30:00", {}, "01:30:00"},
      {"Text15", "vite", question, "1000"},
      {"Text16", "", question, "1000"},
      // The ranges of the settings reader, at their edges.
      {"Text16", "-5", question, "1000"},     {"Text16", "0", question, "1000"},
      {"Text16", "1", {}, "1"},               {"Text16", "32767", {}, "32767"},
      {"Text16", "32768", question, "1000"},  {"Text15", "-1", question, "1000"},
      {"Text15", "0", {}, "0"},               {"Text20", "-1", question, "30"},
      {"Text20", "0", {}, "0"},               {"Text8", "99999", port, "5555"},
      {"Text8", "0", port, "5555"},           {"Text8", "65536", port, "5555"},
      {"Text8", "1", {}, "1"},                {"Text8", "65535", {}, "65535"},
      {"Text8", "80a", port, "5555"},         {"Text8", "", port, "5555"},
      {"Text20", "x", question, "30"},
      {"Text4", "x", question, "6"},
      {"Text5(9)", "x", question, "10"},
      {"Text5(13)", "x", question, "10"},
      {"Text5(10)", "x", question, "50"},
      {"Text5(8)", "1e3", question, "15"},
      {"Text5(0)", "abc", question, "1"},        // the check bonus is checked too
      {"Text5(5)", "1000000000000000000000000000000000000000000", question, "1200"},  // beyond single precision
      {"Text6(2)", "3,5", {}, "3,5"},
      {"Text6(2)", "3,5,1", question, "3,5"},
      {"Text7(1)", "beaucoup", question, "0,1"},
      {"Text5(12)", "-12.25", {}, "-12.25"},
      {"Text5(14)", "a", question, "0"},
      {"Text5(15)", "12", hors_curseur, "1"},
      {"Text10", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", pseudo, "Joueur1"}, {"Text10", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", {}, "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
  };
  ouvre();
  for (const Cas& c : cas) {
    BoitesEnTest::efface();
    if (!c.message.isEmpty()) BoitesEnTest::repond(boite::OK);
    tape(c.champ, c.tape);
    EXPECT_EQ(texte(c.champ)->text(), c.reste) << c.champ << " " << c.tape;
    if (c.message.isEmpty()) {
      EXPECT_TRUE(BoitesEnTest::vues().isEmpty()) << c.champ << " " << c.tape;
    } else {
      ASSERT_EQ(BoitesEnTest::vues().size(), 1) << c.champ << " " << c.tape;
      EXPECT_EQ(BoitesEnTest::vues()[0].texte, c.message) << c.champ << " " << c.tape;
    }
  }
}

TEST_F(Preferences, TheIndexBoxesAndTheirSlidersFollowEachOther) {
  ouvre();
  pref& p = dialogue();
  p.Slider2->setValue(7);
  EXPECT_EQ(texte("Text5(14)")->text(), "7");
  tape("Text5(15)", "6");
  EXPECT_EQ(p.Slider1->value(), 6);
  // A refused text leaves the slider as it was.
  BoitesEnTest::repond(boite::OK);
  tape("Text5(14)", "a");
  EXPECT_EQ(p.Slider2->value(), 7);
  EXPECT_EQ(texte("Text5(14)")->text(), "0");
}

TEST_F(Preferences, OkWithARefusedFieldAppliesAndWritesNothing) {
  const QStringList avant = etat_ecrit();
  const QByteArray fichier = octets(fichier_ini);
  ouvre();
  tape("Text11", "Alice");
  texte("Text5(0)")->setText("lettres");  // typed, the focus still there
  BoitesEnTest::repond(boite::OK);
  dialogue().Command2->click();
  ASSERT_EQ(BoitesEnTest::textes(), QStringList({::texte(233)}));
  EXPECT_EQ(texte("Text5(0)")->text(), "1");
  EXPECT_EQ(dialogue().SSTab1->currentIndex(), 2);
  EXPECT_EQ(etat_ecrit(), avant);
  EXPECT_EQ(octets(fichier_ini), fichier);
  ASSERT_NE(fenetres::existante<pref>(), nullptr);
}

TEST_F(Preferences, ABoxNeverStoresTwoAndAMissingListValueIsNotStoredAsZero) {
  // A file without language, mode or level; flags of 2 from a hand-made file.
  fenetres::ferme_toutes();
  ecrit_ini({"AFF_REPERE=2", "BULLE_AIDE=2", "IMP=2", "DEB_BLANC=1", "AFF_NOUVELLE=0"});
  reinitialise_parametres();
  ASSERT_TRUE(demarre());
  ouvre();
  EXPECT_FALSE(coche("Check8")->isTristate());
  EXPECT_FALSE(coche("Check8")->isChecked());
  EXPECT_FALSE(coche("Check1")->isChecked());
  valide();
  EXPECT_EQ(aff_repere, 0);
  EXPECT_EQ(bulle_aide, 0);
  EXPECT_EQ(imp, 1);
  EXPECT_EQ(cle_langue, 1);
  EXPECT_EQ(mode_jeux, 1);
  EXPECT_EQ(profondeur_max[1], 0);
  // A language outside the list selects no item and is left as it was.
  cle_langue = 9;
  ouvre();
  EXPECT_EQ(liste("Combo3")->currentIndex(), -1);
  valide();
  EXPECT_EQ(cle_langue, 9);
  EXPECT_TRUE(lignes_fichier(fichier_ini).contains("CLE_LANGUE=9"));
}

TEST_F(Preferences, PicturesAndPieceSetsMustBeInstalled) {
  // A second board picture, a second complete set, an incomplete one, a file.
  QFile::copy(chemin("images/echiquier/echiquier.bmp"), chemin("images/echiquier/bois.bmp"));
  QDir().mkpath(chemin("images/pieces/Classique"));
  QDir().mkpath(chemin("images/pieces/Moitie"));
  for (int code = 2; code <= 13; ++code) {
    const QString nom = QString::number(code) + ".ico";
    QFile::copy(chemin("images/pieces/Morvandel/" + nom), chemin("images/pieces/Classique/" + nom));
    if (code <= 7) QFile::copy(chemin("images/pieces/Morvandel/" + nom), chemin("images/pieces/Moitie/" + nom));
  }
  ecrit_fichier(chemin("images/pieces/lisez-moi.txt"), {"rien"});
  ouvre();
  QStringList echiquiers, jeux;
  for (int i = 0; i < liste("Combo4")->count(); ++i) echiquiers << liste("Combo4")->itemText(i);
  for (int i = 0; i < liste("Combo5")->count(); ++i) jeux << liste("Combo5")->itemText(i);
  echiquiers.sort();
  jeux.sort();
  EXPECT_EQ(echiquiers, QStringList({"bois.bmp", "echiquier.bmp"}));
  EXPECT_EQ(jeux, QStringList({"Classique", "Moitie", "Morvandel", "lisez-moi.txt"}));

  struct Cas {
    const char* liste;
    const char* nom;
    bool accepte;
  };
  const Cas cas[] = {
      {"Combo4", "inconnu.bmp", false}, {"Combo4", "../pieces", false}, {"Combo5", "Moitie", false},
      {"Combo5", "lisez-moi.txt", false}, {"Combo5", "Absent", false},  {"Combo4", "bois.bmp", true},
      {"Combo5", "Classique", true},
  };
  for (const Cas& c : cas) {
    BoitesEnTest::efface();
    liste(c.liste)->setCurrentText(c.nom);
    if (c.accepte) {
      valide();
      EXPECT_EQ(BoitesEnTest::textes().value(0), ::texte(400)) << c.nom;
      ouvre();
    } else {
      BoitesEnTest::repond(boite::OK);
      dialogue().Command2->click();
      EXPECT_EQ(BoitesEnTest::textes(), QStringList({"[" + QString(c.nom) + "] " + ::texte(270)})) << c.nom;
      liste(c.liste)->setCurrentText(c.liste == std::string("Combo4") ? curent_echiquier : curent_piece);
    }
  }
  EXPECT_EQ(curent_echiquier, "bois.bmp");
  EXPECT_EQ(curent_piece, "Classique");
  // A name in force that is no longer installed may stay as it is.
  QFile::remove(chemin("images/echiquier/bois.bmp"));
  fenetres::decharge<pref>();
  ouvre();
  EXPECT_EQ(liste("Combo4")->currentIndex(), -1);
  EXPECT_EQ(liste("Combo4")->currentText(), "bois.bmp");
  valide();
  EXPECT_EQ(curent_echiquier, "bois.bmp");
}

TEST_F(Preferences, ChoosingAPictureShowsItsPreview) {
  QFile::copy(chemin("images/echiquier/echiquier.bmp"), chemin("images/echiquier/bois.bmp"));
  curent_echiquier = "absent.bmp";
  ouvre();
  pref& p = dialogue();
  EXPECT_TRUE(p.Diagramme->pixmap().isNull());
  p.Combo4->setCurrentIndex(p.Combo4->findText("bois.bmp"));
  EXPECT_FALSE(p.Diagramme->pixmap().isNull());
}

// --- A game in progress, the machine at work ---------------------------------------------

TEST_F(Preferences, WhileABoardIsLoadedOkKeepsTheGamesColourProfileAndMode) {
  plateforme::SonsEnTest::active();
  plateforme::MinuteriesEnTest::active();
  menu().mode_libre->trigger();
  ASSERT_NE(charge_plateau(), nullptr);
  profil_moteur = 2;
  nom_joueur[2] = "Profil deux";
  ASSERT_EQ(couleur_joueur, BLANC);
  ouvre();
  coche("Check3")->setChecked(false);  // Black at the next start
  liste("Combo2")->setCurrentIndex(3);  // machine against machine
  tape("Text11", "Alice");
  valide();
  EXPECT_TRUE(menu().couleur_blanche->isChecked());
  EXPECT_EQ(profil_moteur, 2);
  EXPECT_TRUE(menu().mode_libre->isChecked());
  EXPECT_EQ(deb_blanc, 0);
  // The file written then and every later write keep what was chosen; the
  // game on the board plays on as it began.
  const std::pair<const char*, std::function<void()>> ecritures[] = {
      {"OK", [] {}},
      {"Sauvegarder les options",
       [&] {
         BoitesEnTest::repond(boite::OK);
         menu().menu_sauve_option->trigger();
       }},
      {"Sauvegarder le filtre",
       [&] {
         mode_charge = 0;
         affiche_charge();
         BoitesEnTest::repond(boite::OK);
         fenetres::existante<charge>()->Command6->click();
         fenetres::decharge<charge>();
       }},
      {"the preferences again",
       [&] {
         ouvre();
         EXPECT_EQ(liste("Combo2")->currentIndex(), 3) << "the dialog shows the mode chosen";
         valide();
       }},
  };
  for (const auto& [nom, ecrit] : ecritures) {
    SCOPED_TRACE(nom);
    ecrit();
    const QStringList fichier = lignes_fichier(fichier_ini);
    for (const char* ligne : {"MODE_JEUX=4", "DEB_BLANC=0", "NOM_JOUEUR=Alice"})
      EXPECT_TRUE(fichier.contains(ligne)) << ligne;
    EXPECT_EQ(mode_jeux, 2);
    EXPECT_EQ(couleur_joueur, BLANC);
  }
  // Its board closed, the choice is in force for the next game.
  fenetres::decharge<plateau>();
  EXPECT_EQ(mode_jeux, 4);
  EXPECT_TRUE(menu().mode_auto->isChecked());
  EXPECT_EQ(couleur_joueur, NOIR);
  EXPECT_TRUE(menu().couleur_noire->isChecked());
  EXPECT_EQ(profil_moteur, 1);
  plateforme::SonsEnTest::desactive();
}

TEST_F(Preferences, EachInterfaceLanguageWritesItsDecimalsAndReadsACommaOrAPoint) {
  for (int langue = 1; langue <= 8; ++langue) {
    SCOPED_TRACE(langue);
    cle_langue = langue;
    applique_langue();
    const QString virgule = langue == 2 ? "." : ",";
    ouvre();
    EXPECT_EQ(texte("Text5(2)")->text(), "325" + virgule + "5");
    const bool point = langue == 2;
    for (const char* saisi : {"3,5", "3.5"}) {
      if (point && saisi[1] == ',') continue;
      BoitesEnTest::efface();
      tape("Text6(3)", saisi);
      EXPECT_TRUE(BoitesEnTest::vues().isEmpty()) << saisi;
      EXPECT_EQ(texte("Text6(3)")->text(), saisi);
    }
    if (point) {
      // A comma is no decimal mark in English: a weight refuses it, a whole
      // number takes it as the thousands' mark.
      for (const char* saisi : {"1,000", "3,5"}) {
        BoitesEnTest::efface();
        BoitesEnTest::repond(boite::OK);
        tape("Text6(4)", saisi);
        EXPECT_EQ(BoitesEnTest::textes(), QStringList{::texte(233)}) << saisi;
      }
      BoitesEnTest::efface();
      tape("Text13", "1,000");
      EXPECT_TRUE(BoitesEnTest::vues().isEmpty());
      valide();
      EXPECT_EQ(niveau_elo[1], 1000);
      ouvre();
      BoitesEnTest::efface();
    }
    tape("Text6(4)", point ? "2.75" : "2,75");
    tape("Text13", point ? "1500.0" : "1500,0");
    EXPECT_TRUE(BoitesEnTest::vues().isEmpty());
    valide();
    EXPECT_EQ(note_mobilite[indice_type(1, TYPE_CAVALIER)], 3.5f);
    EXPECT_EQ(note_mobilite[indice_type(1, TYPE_TOUR)], 2.75f);
    EXPECT_EQ(niveau_elo[1], 1500);
    const QStringList fichier = lignes_fichier(fichier_ini);
    for (const char* ligne : {"NOTE_MOBILITE_CAVALIER=3.5", "NOTE_MOBILITE_TOUR=2.75", "NOTE_MATERIEL_FOU=325.5"})
      EXPECT_TRUE(fichier.contains(ligne)) << ligne;
    EXPECT_EQ(cle_langue, langue);
  }
}

TEST_F(Preferences, OkAppliesWhileTheMachinePlays) {
  // The search reads the weights again as it goes: OK takes effect at once,
  // says so and closes, as at any other time.
  ouvre();
  tape("Text11", "Alice");
  tape("Text5(5)", "880");
  {
    GardeMachine occupee;
    BoitesEnTest::repond(boite::OK);
    dialogue().Command2->click();
    EXPECT_EQ(nom_joueur[1], "Alice");
    EXPECT_EQ(note_materiel[indice_type(1, TYPE_DAME)], 880.0f);
    EXPECT_EQ(BoitesEnTest::textes(), QStringList{::texte(400)});
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(fenetres::existante<pref>(), nullptr);
}

// --- Save as, printer ------------------------------------------------------------------------

TEST_F(Preferences, SaveAsWritesTheDialogsValuesAndLeavesMemoryAlone) {
  const QStringList avant = etat_ecrit();
  ouvre();
  tape("Text22", "Rapide");
  tape("Text5(5)", "880");
  const QString cible = chemin("rapide.ini");
  DialoguesEnTest::repond(cible);
  BoitesEnTest::repond(boite::OK);
  dialogue().Command4->click();
  ASSERT_EQ(DialoguesEnTest::vus().size(), 1);
  const plateforme::DialogueVu& vu = DialoguesEnTest::vus()[0];
  EXPECT_TRUE(vu.sauver);
  EXPECT_EQ(vu.titre, ::texte(138));
  EXPECT_EQ(vu.filtre, "Fichiers INI (*.ini)|*.ini");
  EXPECT_EQ(vu.dossier, dossier());
  EXPECT_EQ(vu.nom, "Rapide.ini");
  EXPECT_EQ(BoitesEnTest::textes(), QStringList({::texte(400)}));
  const QStringList fichier = lignes_fichier(cible);
  EXPECT_TRUE(fichier.contains("NOM_MOTEUR=Rapide"));
  EXPECT_TRUE(fichier.contains("NOTE_MATERIEL_DAME=880"));
  EXPECT_EQ(etat_ecrit(), avant);
  ASSERT_NE(fenetres::existante<pref>(), nullptr);

  // An existing file: No writes nothing, Yes replaces it.
  tape("Text5(5)", "870");
  const QByteArray ecrit = octets(cible);
  struct Cas {
    int reponse;
    const char* attendu;
  };
  for (const Cas& c : {Cas{boite::NON, "NOTE_MATERIEL_DAME=880"}, Cas{boite::OUI, "NOTE_MATERIEL_DAME=870"}}) {
    BoitesEnTest::efface();
    const ino_t noeud = numero_noeud(cible);
    DialoguesEnTest::repond(cible);
    BoitesEnTest::repond(c.reponse);
    if (c.reponse == boite::OUI) BoitesEnTest::repond(boite::OK);
    dialogue().Command4->click();
    EXPECT_EQ(BoitesEnTest::vues()[0].texte, QDir::toNativeSeparators(cible) + ::texte(216));
    EXPECT_TRUE(lignes_fichier(cible).contains(c.attendu)) << c.attendu;
    // A file replaced is a new file renamed over the old one.
    EXPECT_EQ(numero_noeud(cible) != noeud, c.reponse == boite::OUI);
  }
  // A file that cannot be written shows the error and no success.
  BoitesEnTest::efface();
  DialoguesEnTest::repond(chemin("absent/rapide.ini"));
  BoitesEnTest::repond(boite::OK);
  dialogue().Command4->click();
  ASSERT_EQ(BoitesEnTest::textes().size(), 1);
  EXPECT_NE(BoitesEnTest::textes()[0], ::texte(400));
  EXPECT_FALSE(QFile::exists(chemin("absent/rapide.ini")));
  // A cancelled dialog writes nothing.
  DialoguesEnTest::repond(QString());
  dialogue().Command4->click();
  EXPECT_EQ(etat_ecrit(), avant);
}

TEST_F(Preferences, ThePrinterButtonOpensThePrinterSetUp) {
  plateforme::ReglagesImprimanteEnTest::efface();
  ouvre();
  qobject_cast<QPushButton*>(controle("SSCommand3"))->click();
  EXPECT_EQ(plateforme::ReglagesImprimanteEnTest::demandes(), 1);
}

TEST_F(Preferences, TheMenuItemOpensOneDialog) {
  EXPECT_TRUE(menu().menu_pref->isEnabled());
  pref& p = ouvre();
  EXPECT_EQ(&ouvre(), &p);
}

// --- The number forms ---------------------------------------------------------------------

TEST(NombresPreferences, NumbersAndDurationsHaveOneForm) {
  const std::pair<const char*, bool> nombres[] = {
      {"12", true},  {"-3.5", true}, {".5", true},  {" 7 ", true}, {"+2", true}, {"3.", true},
      {"3,5", false}, {"1e3", false}, {"", false},   {"-", false},  {".", false}, {"1 2", false}};
  for (const auto& [t, attendu] : nombres) EXPECT_EQ(est_nombre(t), attendu) << t;
  const std::pair<const char*, bool> durees[] = {{"00:15:00", true}, {"23:59:59", true}, {"24:00:00", false},
                                                 {"1:30:00", true}, {"00:60:00", false}, {"00:00:60", false},
                                                 {"abc", false},      {"00:15", false}};
  for (const auto& [t, attendu] : durees) EXPECT_EQ(est_duree(t), attendu) << t;
  const std::pair<double, const char*> poids[] = {{0.1f, "0.1"}, {3.5, "3.5"}, {1200, "1200"}, {-0.5, "-0.5"},
                                                  {0, "0"},       {1e20f, "100000002004087734272"}};
  for (const auto& [v, attendu] : poids) EXPECT_EQ(texte_poids(v), attendu) << attendu;
}

// --- One key at a time, by the reader's rules ----------------------------------------------

class UneCle : public TestApp {};

TEST_F(UneCle, AValueIsTriedWithoutChangingAnythingThenStoredAtAProfile) {
  struct Cas {
    const char* cle;
    const char* valeur;
    bool acceptee;
  };
  const Cas cas[] = {
      {"NIVEAU_ELO", "1500", true},     {"NIVEAU_ELO", "abc", false},  {"NIVEAU_ELO", "40000", false},
      {"PROFONDEUR_MAX", "3", true},    {"PROFONDEUR_MAX", "4", false}, {"CLE_LANGUE", "300", false},
      {"NOTE_MATERIEL_DAME", "950.5", true}, {"NOTE_MATERIEL_DAME", "1000000000000000000000000000000000000000", false},
      {"NOM_JOUEUR", "n'importe", true}, {"INCONNUE", "1", false},     {"MODE_JEUX", "9x", false},
  };
  for (const Cas& c : cas) {
    const QStringList avant = lignes_parametres();
    EXPECT_EQ(valeur_acceptee(c.cle, c.valeur), c.acceptee) << c.cle << "=" << c.valeur;
    EXPECT_EQ(lignes_parametres(), avant) << c.cle;
    EXPECT_EQ(range_reglage(c.cle, c.valeur, 2), c.acceptee) << c.cle << "=" << c.valeur;
    EXPECT_EQ(lignes_parametres(), avant) << "profile 1 stays: " << c.cle;
  }
  EXPECT_EQ(niveau_elo[2], 1500);
  EXPECT_EQ(profondeur_max[2], 3);
  EXPECT_EQ(note_materiel[indice_type(2, TYPE_DAME)], 950.5f);
  EXPECT_EQ(nom_joueur[2], "n'importe");
  EXPECT_EQ(valeur_reglage("NOTE_MATERIEL_DAME", 2), "950.5");
  EXPECT_EQ(valeur_reglage("NIVEAU_ELO", 2), "1500");
  EXPECT_EQ(valeur_reglage("INCONNUE", 1), "");
  // A key of one value ignores the profile.
  EXPECT_TRUE(range_reglage("MODE_JEUX", "5", 2));
  EXPECT_EQ(mode_jeux, 5);
}
