// The settings file: what the writer puts on disk, what the reader accepts.
#include <optional>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>

#include "app/menu.h"
#include "play/parametres.h"
#include "chess/poids.h"
#include "platform/fichiers_texte.h"
#include "localisation/textes_langue.h"
#include "tests/app/aide_app.h"

namespace {

class Parametres : public TestApp {};

QString systeme(int numero) { return QString::fromLocal8Bit(std::strerror(numero)); }

// Every key in file order with a value other than its built-in one, each in
// the form the writer gives it, so that reading then writing gives the same
// bytes back.
QStringList fichier_complet() {
  return {
      "[GENERAL]",
      "FIRST_STARTUP=1",
      "CLE_LANGUE=5",
      "NOM_JOUEUR=René Dupré",
      "NOM_MOTEUR=Moteur € A",
      "MODE_JEUX=4",
      "LIEU_JEU=Château-Chinon",
      "NIVEAU_ELO=1850",
      "BASE_ECO=/srv/echecs/eco.db",
      "TRI_ECO=1",
      "DEB_BLANC=1",
      "CURENT_ECHIQUIER=bois.bmp",
      "CURENT_PIECE=Classique",
      "AFF_REPERE=1",
      "ZIP_PARTIE=1",
      "SAUVE_ABREGE=1",
      "AFF_NOUVELLE=1",
      "MACHINE_TRACE_COUP=0",
      "ACTIVE_SON=0",
      "IMP=1",
      "BULLE_AIDE=1",
      "PARTIE_FILTRE=*.pgn",
      "MAX_SEUIL_PARTIE=250",
      "MAX_COUP_OUVERTURE=-12",
      "OUVERTURE_DEFAUT=d4",
      "OUVERTURE_ALEATOIRE=0",
      "FILE_LOG=/var/tmp/partie.log",
      "GES_LOG=1",
      "ACTIVE_HORLOGE=0",
      "DELAI_PARTIE=01:30:00",
      "DELAI_ATTENTE=250",
      "VERSION_XML=http://127.0.0.1:8080/v.xml",
      "[TCP/IP]",
      "IP_MODE_SERVEUR=1",
      "IP_ADRESSE_HOST=192.168.1.20",
      "IP_NUM_PORT=6000",
      "IP_NOM_UTILISATEUR=Joueur2",
      "[CALCUL]",
      "ACTIVE_BASE_CON=1",
      "PROFONDEUR_MAX=3",
      "NOTE_MOBILITE_PION=1.5",
      "NOTE_MOBILITE_FOU=3.25",
      "NOTE_MOBILITE_CAVALIER=3.75",
      "NOTE_MOBILITE_TOUR=2.5",
      "NOTE_MOBILITE_DAME=1.125",
      "NOTE_MOBILITE_ROI=-3",
      "MOBILITE_EVOLUTIVE_PION=.3",
      "MOBILITE_EVOLUTIVE_FOU=.05",
      "MOBILITE_EVOLUTIVE_CAVALIER=-.5",
      "MOBILITE_EVOLUTIVE_TOUR=.125",
      "MOBILITE_EVOLUTIVE_DAME=.01",
      "MOBILITE_EVOLUTIVE_ROI=.25",
      "NOTE_MATERIEL_PION=110",
      "NOTE_MATERIEL_FOU=325",
      "NOTE_MATERIEL_CAVALIER=310",
      "NOTE_MATERIEL_TOUR=510",
      "NOTE_MATERIEL_DAME=900.5",
      "NOTE_MATERIEL_ROI=20000",
      "BONUS_ECHEC=150",
      "SEUIL_BONUS_ECHEC=12",
      "NOTE_PROMOTION=850",
      "NOTE_ROQUE=700",
      "MALUS_DOUBLE=75",
      "MALUS_ROI=90",
      "NOTE_CENTRE=45.5",
      "SEUIL_CENTRE=20",
      "INDICE_DEFENSE=2.5",
      "INDICE_ATTAQUE=1.25",
      "ALPHA_BETA=1",
      "SEUIL_PARTIE_NULLE=-1234.5",
      "[FILTRE]",
      "CRITERE_EVENT=Open",
      "CRITERE_SITE=Nevers",
      "CRITERE_BLANC=Alekhine",
      "CRITERE_NOIR=Capablanca",
      "CRITERE_LESDEUX=1",
      "CRITERE_ECO=C4",
      "CRITERE_RONDE=3",
      "CRITERE_RESULTAT=1-0",
      "CRITERE_DATE=1927",
      "[MEL]",
      "BASE_CORRES=/srv/echecs/corres.db",
      "ADRESSE_MEL=joueur@example.org",
      "NB_JOUR_MAX=30",
  };
}

QByteArray en_octets(const QStringList& lignes) {
  QByteArray b;
  for (const QString& l : lignes) b += plateforme::encode_1252(l) + "\r\n";
  return b;
}

}  // namespace

TEST_F(Parametres, EveryKeyGoesRoundTheFileToTheSameBytes) {
  ecrit_ini(fichier_complet());
  const LectureParametres r = lit_parametres(fichier_ini);
  ASSERT_TRUE(r.lu);
  EXPECT_TRUE(r.cle_inconnue.isEmpty());
  EXPECT_TRUE(r.valeurs_rejetees.isEmpty()) << r.valeurs_rejetees.join(" ").toStdString();

  // The values landed in their variables, profile 1.
  EXPECT_EQ(first_startup, 1);
  EXPECT_EQ(cle_langue, 5);
  EXPECT_EQ(nom_joueur[1], QString::fromUtf8("René Dupré"));
  EXPECT_EQ(nom_joueur[2], QString());
  EXPECT_EQ(mode_jeux, 4);
  EXPECT_EQ(niveau_elo[1], 1850);
  EXPECT_EQ(max_coup_ouverture, -12);
  EXPECT_EQ(profondeur_max[1], 3);
  EXPECT_FLOAT_EQ(note_mobilite[1 + 3 * 5], 3.25f);      // bishop
  EXPECT_FLOAT_EQ(note_mobilite[1 + 3 * 4], 3.75f);      // knight
  EXPECT_FLOAT_EQ(mobilite_evolutive[1 + 3 * 4], -0.5f);
  EXPECT_FLOAT_EQ(note_materiel[1 + 3 * 6], 900.5f);     // queen
  EXPECT_FLOAT_EQ(note_materiel[1 + 3 * 7], 20000.0f);   // king
  EXPECT_EQ(seuil_centre[1], 20);
  EXPECT_FLOAT_EQ(indice_defense[1], 2.5f);
  EXPECT_FLOAT_EQ(seuil_partie_nulle, -1234.5f);
  EXPECT_EQ(critere_lesdeux, 1);
  EXPECT_EQ(nb_jour_max, 30);

  const QString copie = chemin(QStringLiteral("copie.ini"));
  ASSERT_TRUE(sauve_parametres(copie));
  const QByteArray ecrit = octets(copie);
  EXPECT_EQ(ecrit, en_octets(fichier_complet()));
  // Windows-1252 on disk: e acute is one byte, the euro sign 0x80.
  EXPECT_TRUE(ecrit.contains("NOM_JOUEUR=Ren\xe9 Dupr\xe9\r\n"));
  EXPECT_TRUE(ecrit.contains("NOM_MOTEUR=Moteur \x80 A\r\n"));
  EXPECT_EQ(nom_moteur[1], QString::fromUtf8("Moteur € A"));
}

TEST_F(Parametres, AStartWithoutFileWritesTheWholeFileInOrder) {
  const QString d = dossier();
  valeurs_sans_fichier();
  ASSERT_TRUE(sauve_parametres(fichier_ini));
  const QStringList attendu = {
      "[GENERAL]", "FIRST_STARTUP=0", "CLE_LANGUE=1", "NOM_JOUEUR=", "NOM_MOTEUR=", "MODE_JEUX=1", "LIEU_JEU=",
      "NIVEAU_ELO=0", "BASE_ECO=" + d + "/base/eco.db", "TRI_ECO=0", "DEB_BLANC=1", "CURENT_ECHIQUIER=echiquier.bmp",
      "CURENT_PIECE=Morvandel", "AFF_REPERE=1", "ZIP_PARTIE=0", "SAUVE_ABREGE=1", "AFF_NOUVELLE=1",
      "MACHINE_TRACE_COUP=1", "ACTIVE_SON=1", "IMP=0", "BULLE_AIDE=1", "PARTIE_FILTRE=*.PGN",
      "MAX_SEUIL_PARTIE=1000", "MAX_COUP_OUVERTURE=10", "OUVERTURE_DEFAUT=e4", "OUVERTURE_ALEATOIRE=1",
      "FILE_LOG=" + d + "/morvandel.log", "GES_LOG=0", "ACTIVE_HORLOGE=1", "DELAI_PARTIE=00:15:00",
      "DELAI_ATTENTE=1000", "VERSION_XML=https://morvandel.example.org/version.xml",
      "[TCP/IP]", "IP_MODE_SERVEUR=0", "IP_ADRESSE_HOST=127.1.0.0", "IP_NUM_PORT=5555",
      "IP_NOM_UTILISATEUR=Joueur1",
      "[CALCUL]", "ACTIVE_BASE_CON=0", "PROFONDEUR_MAX=0", "NOTE_MOBILITE_PION=1", "NOTE_MOBILITE_FOU=3.5",
      "NOTE_MOBILITE_CAVALIER=3.5", "NOTE_MOBILITE_TOUR=2", "NOTE_MOBILITE_DAME=1", "NOTE_MOBILITE_ROI=3",
      "MOBILITE_EVOLUTIVE_PION=.1", "MOBILITE_EVOLUTIVE_FOU=0", "MOBILITE_EVOLUTIVE_CAVALIER=0",
      "MOBILITE_EVOLUTIVE_TOUR=.1", "MOBILITE_EVOLUTIVE_DAME=0", "MOBILITE_EVOLUTIVE_ROI=.2",
      "NOTE_MATERIEL_PION=100", "NOTE_MATERIEL_FOU=300", "NOTE_MATERIEL_CAVALIER=300", "NOTE_MATERIEL_TOUR=500",
      "NOTE_MATERIEL_DAME=900", "NOTE_MATERIEL_ROI=300", "BONUS_ECHEC=200", "SEUIL_BONUS_ECHEC=10",
      "NOTE_PROMOTION=900", "NOTE_ROQUE=800", "MALUS_DOUBLE=80", "MALUS_ROI=100", "NOTE_CENTRE=40",
      "SEUIL_CENTRE=15", "INDICE_DEFENSE=3", "INDICE_ATTAQUE=1", "ALPHA_BETA=0", "SEUIL_PARTIE_NULLE=-1000",
      "[FILTRE]", "CRITERE_EVENT=", "CRITERE_SITE=", "CRITERE_BLANC=", "CRITERE_NOIR=", "CRITERE_LESDEUX=0",
      "CRITERE_ECO=", "CRITERE_RONDE=", "CRITERE_RESULTAT=", "CRITERE_DATE=",
      "[MEL]", "BASE_CORRES=" + d + "/base/corres.db", "ADRESSE_MEL=", "NB_JOUR_MAX=0"};
  EXPECT_EQ(attendu.size(), 84);  // 79 settings, 5 sections
  EXPECT_EQ(octets(fichier_ini), en_octets(attendu));
  // ACTUALITE_XML is accepted but never written.
  EXPECT_TRUE(cles_acceptees().contains("ACTUALITE_XML"));
  EXPECT_EQ(cles_acceptees().size(), 80);
}

TEST_F(Parametres, TheWriterUsesTheCurrentProfileButMalusRoiOfProfileOne) {
  malus_roi[1] = 100;
  malus_roi[2] = 55;
  nom_joueur[2] = "Second";
  profondeur_max[2] = 2;
  note_materiel[2 + 3 * 2] = 95;
  profil_moteur = 2;
  ASSERT_TRUE(sauve_parametres(fichier_ini));
  const QStringList l = lignes_crlf(fichier_ini);
  EXPECT_TRUE(l.contains("MALUS_ROI=100"));
  EXPECT_TRUE(l.contains("NOM_JOUEUR=Second"));
  EXPECT_TRUE(l.contains("PROFONDEUR_MAX=2"));
  EXPECT_TRUE(l.contains("NOTE_MATERIEL_PION=95"));

  // The reader fills the current profile's column.
  ecrit_ini({"NIVEAU_ELO=2100", "MALUS_ROI=70"});
  lit_parametres(fichier_ini);
  EXPECT_EQ(niveau_elo[2], 2100);
  EXPECT_EQ(niveau_elo[1], 0);
  EXPECT_FLOAT_EQ(malus_roi[2], 70.0f);
  EXPECT_FLOAT_EQ(malus_roi[1], 100.0f);
}

TEST_F(Parametres, ReaderSkipsSectionsLinesWithoutEqualsAndTakesTheLastOfDuplicates) {
  ecrit_ini({"[GENERAL]", "", "MODE_JEUX=2", "juste un commentaire", "[MODE_JEUX=5]", "MODE_JEUX=3",
             "  LIEU_JEU= Nevers  "});
  const LectureParametres r = lit_parametres(fichier_ini);
  EXPECT_TRUE(r.cle_inconnue.isEmpty());
  EXPECT_EQ(mode_jeux, 3);
  // The item is trimmed, the blank after "=" stays part of the value.
  EXPECT_EQ(lieu_jeu, " Nevers");
}

TEST_F(Parametres, ReaderStopsAtAnUnknownKeyWithItsItem) {
  ecrit_ini({"MODE_JEUX=2", "MODE_JEUX = 3", "MODE_JEUX=4"});
  const LectureParametres r = lit_parametres(fichier_ini);
  EXPECT_EQ(r.cle_inconnue, "MODE_JEUX = 3");
  EXPECT_EQ(mode_jeux, 2);

  ecrit_ini({"mode_jeux=2"});  // keys are case-sensitive
  EXPECT_EQ(lit_parametres(fichier_ini).cle_inconnue, "mode_jeux=2");
}

TEST_F(Parametres, ACommaSplitsALineIntoItems) {
  ecrit_ini({"LIEU_JEU=Paris, France", "INDICE_DEFENSE=3,5"});
  LectureParametres r = lit_parametres(fichier_ini);
  EXPECT_TRUE(r.cle_inconnue.isEmpty());
  EXPECT_EQ(lieu_jeu, "Paris");
  EXPECT_FLOAT_EQ(indice_defense[1], 3.5f) << "a number's decimal comma is no item's end";

  // A quoted item runs to the closing quote; the rest up to the comma goes.
  ecrit_ini({"\"LIEU_JEU=Paris, France\"x,MODE_JEUX=2"});
  r = lit_parametres(fichier_ini);
  EXPECT_TRUE(r.cle_inconnue.isEmpty());
  EXPECT_EQ(lieu_jeu, "Paris, France");
  EXPECT_EQ(mode_jeux, 2);
  EXPECT_EQ(decoupe_elements("  a, \"b,c\" ,d"), QStringList({"a", "b,c", "d"}));
  EXPECT_EQ(decoupe_elements(""), QStringList({""}));
}

TEST_F(Parametres, FlagsTakeAWholeNumberRoundedHalfToEven) {
  // -1: refused, the value stays.
  const std::pair<const char*, int> cas[] = {
      {"un", -1}, {"1.5", 2}, {"2.5", 2}, {"0.5", 0}, {" 1 ", 1}, {"3abc", -1}, {"", -1}, {"1e2", 100}};
  for (const auto& [valeur, attendu] : cas) {
    ges_log = 77;
    ecrit_ini({QStringLiteral("GES_LOG=") + QString::fromLatin1(valeur)});
    const LectureParametres r = lit_parametres(fichier_ini);
    EXPECT_EQ(r.valeurs_rejetees.isEmpty(), attendu >= 0) << valeur;
    EXPECT_EQ(ges_log, attendu >= 0 ? attendu : 77) << valeur;
  }
}

TEST_F(Parametres, DecimalsIgnoreTheLocaleOnReadingAndWriting) {
  if (!passe_en_locale_francaise()) GTEST_SKIP() << "the French locale cannot be built here";
  ecrit_ini({"NOTE_MATERIEL_DAME=900.5", "NOTE_CENTRE=.25", "SEUIL_CENTRE=14.5", "INDICE_DEFENSE=2.75"});
  const LectureParametres r = lit_parametres(fichier_ini);
  EXPECT_TRUE(r.valeurs_rejetees.isEmpty());
  EXPECT_FLOAT_EQ(note_materiel[1 + 3 * 6], 900.5f);
  EXPECT_FLOAT_EQ(note_centre[1], 0.25f);
  EXPECT_EQ(seuil_centre[1], 14);  // half to even
  EXPECT_FLOAT_EQ(indice_defense[1], 2.75f);
  sauve_parametres(fichier_ini);
  const QStringList l = lignes_crlf(fichier_ini);
  revient_locale_c();
  EXPECT_TRUE(l.contains("NOTE_MATERIEL_DAME=900.5"));
  EXPECT_TRUE(l.contains("NOTE_CENTRE=.25"));
  EXPECT_TRUE(l.contains("INDICE_DEFENSE=2.75"));
}

TEST_F(Parametres, DecimalFormHasNoLeadingZeroNoExponentAndReadsBack) {
  EXPECT_EQ(texte_decimal(3.5f), "3.5");
  EXPECT_EQ(texte_decimal(0.1f), ".1");
  EXPECT_EQ(texte_decimal(100.0f), "100");
  EXPECT_EQ(texte_decimal(-1000.0f), "-1000");
  EXPECT_EQ(texte_decimal(-0.5f), "-.5");
  EXPECT_EQ(texte_decimal(0.0f), "0");
  EXPECT_EQ(texte_decimal(-0.0f), "0");
  EXPECT_EQ(texte_decimal(-1.9e-24f), "0");
  // Very large and very small values stay in digits, which the reader reads.
  for (float v : {1.0e7f, 1234567.0f, 0.0001f}) {
    seuil_partie_nulle = v;
    sauve_parametres(fichier_ini);
    seuil_partie_nulle = 0;
    lit_parametres(fichier_ini);
    EXPECT_NEAR(seuil_partie_nulle, v, std::abs(v) * 1e-6) << texte_decimal(v).toStdString();
    EXPECT_FALSE(texte_decimal(v).contains('e')) << texte_decimal(v).toStdString();
  }
}

TEST_F(Parametres, AValueNotANumberOrOutOfRangeIsRefusedAndNamed) {
  ecrit_ini({"MODE_JEUX=deux", "FIRST_STARTUP=300", "NIVEAU_ELO=40000", "PROFONDEUR_MAX=4", "PROFONDEUR_MAX=-1",
             "DELAI_ATTENTE=12a", "GES_LOG=-1", "SEUIL_CENTRE=99999", "NB_JOUR_MAX=1e9", "AFF_REPERE=1"});
  const LectureParametres r = lit_parametres(fichier_ini);
  EXPECT_TRUE(r.cle_inconnue.isEmpty());
  EXPECT_EQ(r.valeurs_rejetees,
            QStringList({"MODE_JEUX=deux", "FIRST_STARTUP=300", "NIVEAU_ELO=40000", "PROFONDEUR_MAX=4",
                         "PROFONDEUR_MAX=-1", "DELAI_ATTENTE=12a", "GES_LOG=-1", "SEUIL_CENTRE=99999",
                         "NB_JOUR_MAX=1e9"}));
  // The refused keys keep their values; the others are read.
  EXPECT_EQ(mode_jeux, 1);
  EXPECT_EQ(profondeur_max[1], 0);
  EXPECT_EQ(delai_attente, 1000);
  EXPECT_EQ(aff_repere, 1);
  const QString message = r.message_rejet();
  EXPECT_TRUE(message.contains(fichier_ini));
  EXPECT_TRUE(message.contains("NIVEAU_ELO=40000"));
  // Accepted borders.
  ecrit_ini({"FIRST_STARTUP=255", "NIVEAU_ELO=-32768", "MAX_SEUIL_PARTIE=32767", "PROFONDEUR_MAX=3",
             "MODE_JEUX= 2 "});
  EXPECT_TRUE(lit_parametres(fichier_ini).valeurs_rejetees.isEmpty());
  EXPECT_EQ(first_startup, 255);
  EXPECT_EQ(niveau_elo[1], -32768);
  EXPECT_EQ(mode_jeux, 2);
}

TEST_F(Parametres, AWeightNoMachineCanCountWithAndAValueOutOfItsRangeAreRefused) {
  struct Cas {
    const char* ligne;
    const char* garde;  // the key's value afterwards as written; null: refused, the default kept
  };
  // Longer than any setting's number needs, though it is 3; and as long as one may be.
  const std::string trop_long = "NIVEAU_ELO=" + std::string(149, '0') + "3";
  const std::string assez_court = "NIVEAU_ELO=" + std::string(99, '0') + "3";
  // A nickname as long as the messages that carry it allow, and one more.
  const std::string pseudo_max = "IP_NOM_UTILISATEUR=" + std::string(32, 'x'), pseudo_trop_long = pseudo_max + "x";
  const Cas cas[] = {
      {"NOTE_MATERIEL_DAME=NaN", nullptr},   {"NOTE_MATERIEL_DAME=inf", nullptr},
      {"NOTE_MOBILITE_FOU=-inf", nullptr},   {"BONUS_ECHEC=1e308", nullptr},
      {"NOTE_ROQUE=Infinity", nullptr},      {"MALUS_DOUBLE=-1e39", nullptr},
      {"INDICE_DEFENSE=nan", nullptr},       {"INDICE_ATTAQUE=1e308", nullptr},
      {"SEUIL_CENTRE=NaN", nullptr},         {"NB_JOUR_MAX=inf", nullptr},
      {"SEUIL_PARTIE_NULLE=1e308", nullptr}, {"NOTE_CENTRE=3e38", nullptr},
      {"NOTE_CENTRE=-12.5", "-12.5"},        {"INDICE_DEFENSE=2.5", "2.5"},
      {"IP_NUM_PORT=99999", nullptr},        {"IP_NUM_PORT=0", nullptr},
      {"IP_NUM_PORT=65536", nullptr},        {"IP_NUM_PORT=80a", nullptr},
      {"IP_NUM_PORT=1", "1"},                {"IP_NUM_PORT=65535", "65535"},
      {"MAX_SEUIL_PARTIE=-5", nullptr},      {"MAX_SEUIL_PARTIE=0", nullptr},
      {"MAX_SEUIL_PARTIE=1", "1"},           {"DELAI_ATTENTE=-1", nullptr},
      {"DELAI_ATTENTE=0", "0"},              {"NB_JOUR_MAX=-1", nullptr},
      {"NB_JOUR_MAX=0", "0"},
      // A number is read whole, or refused; a decimal comma and an exponent are numbers.
      {"NOTE_MATERIEL_PION=abc", nullptr},   {"BONUS_ECHEC=abc", nullptr},
      {"NOTE_MATERIEL_PION=", nullptr},      {"NIVEAU_ELO=12abc", nullptr},
      {"NOTE_MOBILITE_FOU=12abc", nullptr},  {"NOTE_MATERIEL_DAME=99999999999999999999", nullptr},
      {"NOTE_MATERIEL_DAME=10000001", nullptr}, {"NOTE_MATERIEL_DAME=-1E7", "-10000000"},
      {"NOTE_MOBILITE_ROI=3,5", "3.5"},      {"NOTE_MOBILITE_ROI=3,5x", nullptr},
      {"SEUIL_PARTIE_NULLE=1.5E-04", ".00015"}, {"NOTE_CENTRE=1.5e3", "1500"},
      {"NIVEAU_ELO=1.5e3", "1500"},          {"NB_JOUR_MAX=1E5", nullptr},
      {"SEUIL_CENTRE=2,5", "2"},             {"MALUS_ROI=1e39", nullptr},
      // A whole-number key takes no fraction; a flag takes the nearest.
      {"NIVEAU_ELO=3,5", nullptr},           {"NIVEAU_ELO=3.5", nullptr},
      {"PROFONDEUR_MAX=0.5", nullptr},       {"CLE_LANGUE=2.0", "2"},
      {"ALPHA_BETA=0,5", "0"},               {"NB_JOUR_MAX=2.5", "2"},
      {trop_long.c_str(), nullptr},          {assez_court.c_str(), "3"},
      {pseudo_trop_long.c_str(), nullptr},   {pseudo_max.c_str(), pseudo_max.c_str() + 19},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.ligne);
    reinitialise_parametres();
    const QStringList avant = lignes_parametres();
    ecrit_ini({"[CALCUL]", c.ligne, "MODE_JEUX=2"});
    const QByteArray fichier = octets(fichier_ini);
    const LectureParametres r = lit_parametres(fichier_ini);
    EXPECT_EQ(mode_jeux, 2) << "the next key is read";
    mode_jeux = 1;
    EXPECT_EQ(octets(fichier_ini), fichier);
    const QString cle = QString(c.ligne).section('=', 0, 0);
    if (!c.garde) {
      EXPECT_EQ(r.valeurs_rejetees, QStringList{c.ligne});
      EXPECT_EQ(r.message_rejet(), ::texte(915).arg(QDir::toNativeSeparators(fichier_ini)) + "\r\n -> (" + c.ligne +
                                       ")\r\n" + ::texte(917));
      EXPECT_EQ(lignes_parametres(), avant);
    } else {
      EXPECT_TRUE(r.valeurs_rejetees.isEmpty());
      EXPECT_EQ(valeur_reglage(cle, 1), c.garde);
    }
    // The preferences and the engine files judge by the same rule.
    EXPECT_EQ(valeur_acceptee(cle, QString(c.ligne).section('=', 1)), c.garde != nullptr);
  }
}

TEST_F(Parametres, ATextValueWithACommaOrALineBreakCannotCorruptTheFile) {
  lieu_jeu = "Paris, \"Rive gauche\"";
  nom_joueur[1] = "Jean\r\nMarie";
  adresse_mel = "a@b.org\nCLE_LANGUE=2";
  ASSERT_TRUE(sauve_parametres(fichier_ini));
  EXPECT_EQ(lignes_crlf(fichier_ini).size(), 84);
  reinitialise_parametres();
  const LectureParametres r = lit_parametres(fichier_ini);
  EXPECT_TRUE(r.cle_inconnue.isEmpty());
  EXPECT_TRUE(r.valeurs_rejetees.isEmpty());
  EXPECT_EQ(lieu_jeu, "Paris, 'Rive gauche'");
  EXPECT_EQ(nom_joueur[1], "Jean Marie");
  EXPECT_EQ(adresse_mel, "a@b.org CLE_LANGUE=2");
  EXPECT_EQ(cle_langue, 1);
}

TEST_F(Parametres, AFailedWriteIsReportedAndKeepsTheOldFile) {
  ecrit_ini({"MODE_JEUX=2"});
  const QByteArray avant = octets(fichier_ini);
  plateforme::BoitesEnTest::repond(boite::OK);
  EXPECT_FALSE(sauve_parametres(chemin("absent/morvandel.ini")));
  ASSERT_EQ(plateforme::BoitesEnTest::textes(),
            QStringList({texte(806).arg(QDir::toNativeSeparators(chemin("absent/morvandel.ini")),
                                        texte(807).arg(QDir::toNativeSeparators(chemin("absent")), systeme(ENOENT)))}));
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].style, boite::EXCLAMATION);
  EXPECT_EQ(plateforme::BoitesEnTest::vues()[0].titre, "Morvandel");
  EXPECT_EQ(octets(fichier_ini), avant);
  // Written through a new file: no temporary file is left beside it.
  ASSERT_TRUE(sauve_parametres(fichier_ini));
  EXPECT_EQ(QDir(dossier()).entryList({"*.ini*"}, QDir::Files), QStringList({"morvandel.ini"}));
}

TEST_F(Parametres, TheTimePerPlayerMustBeATimeUnderADay) {
  struct Cas {
    QString valeur;
    bool accepte;
  };
  const Cas cas[] = {{"abc", false},      {"24:00:00", false}, {"-1:-1:-1", false}, {"12:60:00", false},
                     {"00:15", false},    {"1:2:3:4", false},  {"", false},         {"01:30:00", true},
                     {"23:59:59", true},  {"00:00:30", true}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.valeur.toStdString());
    reinitialise_parametres();
    ecrit_ini({"DELAI_PARTIE=" + c.valeur, "MODE_JEUX=2"});
    const LectureParametres r = lit_parametres(fichier_ini);
    EXPECT_EQ(mode_jeux, 2);
    if (c.accepte) {
      EXPECT_TRUE(r.valeurs_rejetees.isEmpty());
      EXPECT_EQ(delai_partie, c.valeur);
    } else {
      EXPECT_EQ(r.valeurs_rejetees, QStringList({"DELAI_PARTIE=" + c.valeur}));
      EXPECT_EQ(delai_partie, "00:15:00");
      EXPECT_TRUE(r.message_rejet().contains(QDir::toNativeSeparators(fichier_ini)));
    }
  }
}

TEST_F(Parametres, AFileWithCrOnlyLineEndsIsRead) {
  ecrit_octets(fichier_ini, "[GENERAL]\rMODE_JEUX=3\rDEB_BLANC=1\rNOM_JOUEUR=Anne\r");
  const LectureParametres r = lit_parametres(fichier_ini);
  EXPECT_TRUE(r.lu);
  EXPECT_TRUE(r.cle_inconnue.isEmpty());
  EXPECT_TRUE(r.valeurs_rejetees.isEmpty()) << r.valeurs_rejetees.join(" ").toStdString();
  EXPECT_EQ(mode_jeux, 3);
  EXPECT_EQ(deb_blanc, 1);
  EXPECT_EQ(nom_joueur[1], "Anne");
}

TEST_F(Parametres, NamesOutsideWindows1252AreWrittenInUtf8AndReadBack) {
  nom_joueur[1] = "Иван Петров";
  lieu_jeu = "Łódź";
  ASSERT_TRUE(sauve_parametres(fichier_ini));
  const QByteArray brut = octets(fichier_ini);
  EXPECT_TRUE(brut.contains(QString("\r\nNOM_JOUEUR=Иван Петров\r\n").toUtf8()));
  EXPECT_TRUE(brut.contains(QString("\r\nLIEU_JEU=Łódź\r\n").toUtf8()));
  reinitialise_parametres();
  const LectureParametres r = lit_parametres(fichier_ini);
  EXPECT_TRUE(r.valeurs_rejetees.isEmpty());
  EXPECT_EQ(nom_joueur[1], "Иван Петров");
  EXPECT_EQ(lieu_jeu, "Łódź");
}

TEST_F(Parametres, SavingOnAFullDiskKeepsTheOldFileAndShowsNoSuccess) {
  cree_base_eco();
  ecrit_ini({"MODE_JEUX=2", "AFF_NOUVELLE=0"});
  ASSERT_TRUE(demarre());
  const QByteArray avant = octets(fichier_ini);
  const QString rapport = dans_un_enfant(
      [&] {
        plateforme::BoitesEnTest::repond(boite::OK);
        menu().menu_sauve_option_Click();
        return plateforme::BoitesEnTest::textes().join("|");
      },
      avant.size() + 100);
  EXPECT_EQ(rapport, texte(806).arg(QDir::toNativeSeparators(fichier_ini), systeme(EFBIG)));
  EXPECT_EQ(octets(fichier_ini), avant);
  EXPECT_EQ(fichiers_du_dossier(dossier()), QStringList({"morvandel.ini"}));
}

TEST_F(Parametres, AFirstStartOnAFullDiskLeavesNoEmptySettingsFile) {
  cree_base_eco();
  const QString rapport = dans_un_enfant(
      [&] {
        plateforme::BoitesEnTest::repond(boite::OK);
        demarre();
        return plateforme::BoitesEnTest::textes().join("|");
      },
      0);
  EXPECT_TRUE(rapport.startsWith(texte(806).arg(QDir::toNativeSeparators(fichier_ini), systeme(EFBIG))))
      << rapport.toStdString();
  EXPECT_FALSE(rapport.contains(texte(400)));
  EXPECT_EQ(fichiers_du_dossier(dossier()), QStringList());
}

TEST_F(Parametres, AnUnreadableSettingsFileIsReplacedOnlyWhenTheUserSaysYes) {
  // The file can be written but not read, even by root's child.
  ASSERT_EQ(::chmod(QFile::encodeName(dossier()).constData(), 0777), 0);
  const QString natif = QDir::toNativeSeparators(fichier_ini);
  const QString illisible = texte(808).arg(natif, systeme(EACCES));
  const QString question = illisible + "\r\n" + natif + texte(216);
  struct Cas {
    int reponse;
    QString rapport;
  };
  const Cas cas[] = {{boite::NON, "unread|kept|" + question}, {boite::OUI, "unread|written|" + question}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.reponse);
    ecrit_ini({"MODE_JEUX=2"});
    ASSERT_EQ(::chmod(QFile::encodeName(fichier_ini).constData(), 0222), 0);
    const QString rapport = dans_un_enfant(
        [&] {
          const LectureParametres r = lit_parametres(fichier_ini);
          if (r.erreur != illisible) return "read error: " + r.erreur;
          plateforme::BoitesEnTest::repond(c.reponse);
          const bool ecrit = sauve_parametres(fichier_ini);
          // Once replaced, the file is saved without a question.
          if (ecrit && !sauve_parametres(fichier_ini)) return QStringLiteral("second save refused");
          return QString(r.lu ? "read" : "unread") + (ecrit ? "|written|" : "|kept|") +
                 plateforme::BoitesEnTest::textes().join("|");
        },
        -1, true);
    EXPECT_EQ(rapport, c.rapport);
    EXPECT_EQ(lignes_crlf(fichier_ini).size(), c.reponse == boite::OUI ? 84 : 1);
  }
}

TEST_F(Parametres, AFileHoldingOnlyASectionLeavesTheBuiltInValues) {
  ecrit_ini({"[GENERAL]"});
  lit_parametres(fichier_ini);
  EXPECT_EQ(deb_blanc, 0);
  EXPECT_EQ(aff_nouvelle, 0);
  EXPECT_EQ(delai_partie, "00:15:00");
  EXPECT_EQ(ouverture_defaut[1], "e4");
  EXPECT_EQ(ouverture_defaut[2], "");
  EXPECT_EQ(table_elo[3], "1800");
  EXPECT_EQ(sons[12], QDir(dossier()).filePath("son/commencer.wav"));
  EXPECT_TRUE(sons[4].isEmpty());
}

TEST(NombreReglage, ReadsTheWholeTextOrNothing) {
  const std::pair<const char*, std::optional<double>> cas[] = {
      {"  -2.5 ", -2.5}, {".5", 0.5},         {"3,5", 3.5},         {"2E3", 2000.0},     {"1E-08", 1e-8},
      {"+7", 7.0},       {"-2.5xyz", {}},     {"1 2 3", {}},        {"abc", {}},         {"", {}},
      {"7e", {}},        {"12abc", {}},       {"NaN", {}},          {"inf", {}},         {"1e999", {}}};
  for (const auto& [t, attendu] : cas) EXPECT_EQ(nombre_reglage(t), attendu) << t;
}

TEST_F(Parametres, AtStartUpTheOneMessageNamesEveryRefusedKeyAndTheFileStays) {
  cree_base_eco();
  // A ten-megabyte number is refused like any other and quoted short.
  ecrit_ini({"[CALCUL]", "NOTE_MATERIEL_PION=abc", "NOTE_MATERIEL_DAME=99999999999999999999",
             "[GENERAL]", "NIVEAU_ELO=" + QString(10'000'000, '9'), "AFF_NOUVELLE=0"});
  const QByteArray fichier = octets(fichier_ini);
  plateforme::BoitesEnTest::repond(boite::OK);
  ASSERT_TRUE(demarre());
  const QStringList boites = plateforme::BoitesEnTest::textes();
  ASSERT_EQ(boites.size(), 1);
  EXPECT_TRUE(boites[0].contains("(NOTE_MATERIEL_PION=abc)"));
  EXPECT_TRUE(boites[0].contains("(NOTE_MATERIEL_DAME=99999999999999999999)"));
  EXPECT_TRUE(boites[0].contains("(NIVEAU_ELO=9999"));
  EXPECT_LT(boites[0].size(), 2000);
  EXPECT_EQ(octets(fichier_ini), fichier);
}
