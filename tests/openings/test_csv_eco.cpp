// The opening table as a CSV file: the format, the export and the import.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "chess/etat.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/csv_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/boites.h"
#include "platform/dialogues_fichiers.h"
#include "platform/fichiers_texte.h"
#include "tests/openings/aide_ouvertures.h"
#include "platform/base_donnees.h"

using plateforme::BoitesEnTest;
using plateforme::DialoguesEnTest;

namespace {

const QString BASE_LIVREE = QStringLiteral(MVD_BUILD_DIR "/base/eco.db");

TEST(FormatCsv, UnEnregistrementRelitSesChamps) {
  const QList<QStringList> cas = {
      {"12", "C20", "Partie du pion roi", "1.e4 e5 *", "Vrai", "35"},
      {"", "", ""},
      {"a;b", "dit \"oui\"", "deux\r\nlignes", "fin\n"},
      {"Nimzowitsch–Larsen, Đurić", "\"", ";"},
  };
  for (const QStringList& champs : cas) {
    SCOPED_TRACE(champs.join(QLatin1Char('|')).toStdString());
    const QString ligne = ligne_csv(champs);
    const QList<EnregistrementCsv> relu = lit_csv(ligne + QStringLiteral("\r\n"));
    ASSERT_EQ(relu.size(), 1);
    EXPECT_EQ(relu[0].champs, champs);
    for (int n = 1; n <= champs.size(); ++n) EXPECT_EQ(decoupe_ligne_csv(n, ligne), champs[n - 1]);
  }
  EXPECT_EQ(ligne_csv({"a;b", "x\"y", "z"}), QStringLiteral("\"a;b\";\"x\"\"y\";z"));
}

TEST(FormatCsv, DecoupeLigne) {
  struct Cas {
    const char* ligne;
    int n;
    const char* attendu;
  } cas[] = {
      {"12;C20;nom;1.e4 e5 *;Vrai;35", 2, "C20"},
      {"12;C20;nom;1.e4 e5 *;Vrai;35", 6, "35"},
      {"12;C20;nom;1.e4 e5 *", 5, ""},
      {"12;C20;nom;1.e4 e5 *", 7, ""},
      {"\"B20\";x", 1, "B20"},
      {"a;;c", 2, ""},
      {"a;b;", 3, ""},
      {"\"open", 1, "open"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.ligne);
    EXPECT_EQ(decoupe_ligne_csv(c.n, QString::fromUtf8(c.ligne)), QString::fromUtf8(c.attendu));
  }
}

TEST(FormatCsv, EnregistrementsSurPlusieursLignesEtGuillemetOuvert) {
  const QList<EnregistrementCsv> r = lit_csv(QStringLiteral("a;\"b\r\nc\"\r\n\r\nd;e"));
  ASSERT_EQ(r.size(), 3);
  EXPECT_EQ(r[0].champs, (QStringList{"a", "b\r\nc"}));
  EXPECT_EQ(r[1].ligne, 3);
  EXPECT_EQ(r[2].ligne, 4);
  EXPECT_EQ(r[2].champs, (QStringList{"d", "e"}));
  EXPECT_THROW(lit_csv(QStringLiteral("a;\"b\r\nc")), std::runtime_error);
  EXPECT_THROW(lit_csv(QStringLiteral("a;b\"c;d")), std::runtime_error);
  EXPECT_THROW(lit_csv(QStringLiteral("a;\"b\"c;d")), std::runtime_error);
}

TEST(FormatCsv, CodageDuFichier) {
  const QString attendu = QStringLiteral("é;Đurić");
  EXPECT_EQ(texte_csv(QByteArray("\xEF\xBB\xBF") + attendu.toUtf8()), attendu);
  EXPECT_EQ(texte_csv(attendu.toUtf8()), attendu);
  EXPECT_EQ(texte_csv(QByteArray("\xE9t\xE9;\x80")), QStringLiteral("été;€"));
}

class CsvEco : public TestOuvertures {
 protected:
  QString fichier(const char* nom) const { return QDir(dossier()).filePath(QString::fromLatin1(nom)); }
  // The import of `csv` with both questions answered yes and the result
  // acknowledged, the boxes shown before forgotten.
  static void importe_confirme(const QString& csv) {
    BoitesEnTest::efface();
    DialoguesEnTest::repond(csv);
    BoitesEnTest::repond(boite::OUI);
    BoitesEnTest::repond(boite::OUI);
    BoitesEnTest::repond(boite::OK);
    importe_eco_csv();
  }
  void ecrit(const QString& chemin, const QByteArray& octets) {
    ASSERT_TRUE(plateforme::remplace_fichier(chemin, octets));
  }
  static void attend_memes_lignes(const QList<LigneEco>& a, const QList<LigneEco>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (int i = 0; i < a.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(a[i].code, b[i].code);
      EXPECT_EQ(a[i].libelle, b[i].libelle);
      EXPECT_EQ(a[i].coup, b[i].coup);
      EXPECT_EQ(a[i].connaissance, b[i].connaissance);
      EXPECT_EQ(a[i].note.isNull(), b[i].note.isNull());
      if (!a[i].note.isNull()) {
        EXPECT_DOUBLE_EQ(a[i].note.toDouble(), b[i].note.toDouble());
      }
    }
  }
};

TEST_F(CsvEco, LaBaseLivreeFaitLAllerRetourEntiere) {
  const QString copie = chemin_base();
  QDir().mkpath(QFileInfo(copie).path());
  ASSERT_TRUE(QFile::copy(BASE_LIVREE, copie));
  ouvre_base_eco(copie);
  // A learned line with decimals and a name holding ";" and quotes.
  db_eco.ajoute(QStringLiteral("ECO"), {{QStringLiteral("Eco_code"), QStringLiteral("Z99")},
                                        {QStringLiteral("Eco_libelle"), QStringLiteral("dit \"x\"; y")},
                                        {QStringLiteral("Eco_coup"), QStringLiteral("1.a3 a6 1-0")},
                                        {QStringLiteral("Eco_connaissance"), 1},
                                        {QStringLiteral("Eco_note"), 13}});
  const QList<LigneEco> avant = lignes_base();
  int avec_c_accent = 0;
  for (const LigneEco& l : avant) avec_c_accent += l.libelle.contains(QChar(0x0107)) ? 1 : 0;
  EXPECT_GT(avec_c_accent, 0) << "the shipped names hold ć";

  const QString csv = fichier("eco.csv");
  EXPECT_EQ(exporte_table_eco(copie, csv), avant.size());
  db_eco.execute(QStringLiteral("DELETE FROM ECO WHERE Eco_cle < 100"));
  EXPECT_EQ(importe_table_eco(copie, csv), avant.size());
  attend_memes_lignes(lignes_base(), avant);
  // The keys are 1, 2, 3 in file order.
  EXPECT_EQ(db_eco.valeur(QStringLiteral("SELECT min(Eco_cle) = 1 AND max(Eco_cle) = count(*) FROM ECO")).toInt(), 1);
}

TEST_F(CsvEco, LeFichierExporte) {
  cree_base({{"C20", "Partie; \"roi\"", "1.e4 e5 *", false, 12.5},
             {"B20", "Sicilienne", "1.e4 c5 *", true, QVariant()},
             {"A00", "Đurić", "1.a3 *", false, -3}});
  const QString csv = fichier("sortie.csv");
  EXPECT_EQ(exporte_table_eco(chemin_base(), csv), 3);
  QByteArray octets;
  ASSERT_TRUE(plateforme::lit_octets(csv, octets));
  EXPECT_TRUE(octets.startsWith("\xEF\xBB\xBF"));
  const QString texte = QString::fromUtf8(octets.mid(3));
  const QStringList lignes = texte.split(QStringLiteral("\r\n"));
  ASSERT_EQ(lignes.size(), 5);
  EXPECT_EQ(lignes[0], QStringLiteral("Eco_cle;Eco_code;Eco_libelle;Eco_coup;Eco_connaissance;Eco_note"));
  EXPECT_EQ(lignes[1], QStringLiteral("1;C20;\"Partie; \"\"roi\"\"\";1.e4 e5 *;Faux;12.5"));
  EXPECT_EQ(lignes[2], QStringLiteral("2;B20;Sicilienne;1.e4 c5 *;Vrai;"));
  EXPECT_EQ(lignes[3], QStringLiteral("3;A00;Đurić;1.a3 *;Faux;-3"));
  EXPECT_EQ(lignes[4], QString());
  for (const EnregistrementCsv& e : lit_csv(texte)) EXPECT_EQ(e.champs.size(), 6) << e.ligne;
}

TEST_F(CsvEco, LImportLitChaqueLigneParPosition) {
  cree_base({{"X", "x", "1.h4 *"}});
  const QString csv = fichier("entree.csv");
  // Windows-1252, LF only, a blank line, a short line, a quoted field, the
  // file's own keys ignored, "Vrai" only in that case.
  ecrit(csv, QByteArray("cle;code;nom;coups;appris;note\n"
                        "12;C20;Ouverture \xE9tudi\xE9" "e;1.e4 e5 *;Vrai;35\n"
                        "\n"
                        "7;\"B20\";Sicilienne;1.e4 c5 *\n"
                        "3;A00;x;1.a3 *;vrai;2,5\n"
                        "4;A01;y;1.b3 *;True;\n"));
  // The indexes the lookups walk come out of the import as they went in.
  const QString index = QStringLiteral("SELECT group_concat(name || ': ' || sql, '; ') FROM "
                                       "(SELECT name, sql FROM sqlite_master WHERE type = 'index' ORDER BY name)");
  const QString index_avant = db_eco.valeur(index).toString();
  EXPECT_EQ(importe_table_eco(chemin_base(), csv), 4);
  EXPECT_EQ(db_eco.valeur(index).toString(), index_avant);
  EXPECT_TRUE(index_avant.contains("ECO_coup") && index_avant.contains("ECO_ordre")) << index_avant.toStdString();
  const QList<LigneEco> l = lignes_base();
  ASSERT_EQ(l.size(), 4);
  EXPECT_EQ(l[0].libelle, QStringLiteral("Ouverture étudiée"));
  EXPECT_TRUE(l[0].connaissance);
  EXPECT_DOUBLE_EQ(l[0].note.toDouble(), 35.0);
  EXPECT_EQ(l[1].code, QStringLiteral("B20"));
  EXPECT_FALSE(l[1].connaissance);
  EXPECT_TRUE(l[1].note.isNull());
  EXPECT_FALSE(l[2].connaissance);
  EXPECT_DOUBLE_EQ(l[2].note.toDouble(), 2.0);  // a decimal comma, a half to the even neighbour
  EXPECT_FALSE(l[3].connaissance);
  EXPECT_EQ(db_eco.valeur(QStringLiteral("SELECT group_concat(Eco_cle) FROM (SELECT Eco_cle FROM ECO ORDER BY Eco_cle)")).toString(),
            QStringLiteral("1,2,3,4"));
}

TEST_F(CsvEco, UneLigneFausseNeFaitRienPerdre) {
  cree_base({{"C20", "Partie du pion roi", "1.e4 e5 *"}, {"B20", "Sicilienne", "1.e4 c5 *"}});
  const QList<LigneEco> avant = lignes_base();
  // The line, and why it is refused, in the user's language.
  struct Cas {
    const char* contenu;
    int ligne;
    std::function<QString()> pourquoi;
  } cas[] = {
      {"h\r\n1;A;a;1.a3 *;Faux;1\r\n2;B;b;1.b3 *;Faux;abc\r\n", 3, [] { return texte(849).arg("abc"); }},
      {"h\r\n1;A;a;1.a3 *;Faux;1;de trop\r\n", 2, [] { return texte(847).arg(7).arg(6); }},
      {"h\r\n1;A;a;;Faux;1\r\n", 2, [] { return texte(848); }},
      {"h\r\n1;A;\"a;1.a3 *;Faux;1\r\n", 2, [] { return texte(846); }},
      // Text after a closing quote: the row would shift by one field.
      {"h\r\n1;A;a;1.a3 *;Faux;1\r\n4;\"C60;Ruy \"Lopez;1.e4 e5 *;Faux;1\r\n", 3, [] { return texte(742); }},
      {"h\r\n4;C60;\"Ruy\"s;1.e4 e5 *;Faux;1\r\n", 2, [] { return texte(742); }},
      // A quote inside a field that does not begin with one.
      {"h\r\n4;C60;Ruy \"Lopez\";1.e4 e5 *;Faux;1\r\n", 2, [] { return texte(741); }},
      {"h\r\n4;C60;Ruy;1.e4 e5 *;Faux;3\"\r\n", 2, [] { return texte(741); }},
      // Moves the program's reader does not play.
      {"h\r\n1;A;a;1.a3 *;Faux;1\r\n2;B;b;this is not a move list;Faux;1\r\n", 3, [] { return texte(743) + " this"; }},
      {"h\r\n1;A;a;1.e4 e5 2.Ke3 *;Faux;\r\n", 2, [] { return texte(743) + " 2.Ke3"; }},
      {"h\r\n1;A;a;1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 Qxf7;Faux;\r\n", 2, [] { return texte(743) + " Qxf7"; }},
      {"h\r\n1;A;a;1.e4 * e5;Faux;\r\n", 2, [] { return texte(743) + " e5"; }},
      {"h\r\n1;A;a;*;Faux;\r\n", 2, [] { return texte(743) + " *"; }},
      // The move is named as the line writes it, though the moves before it
      // were those of the line above.
      {"h\r\n1;A;a;1.e4 e5 2.Nf3 *;Faux;\r\n2;B;b;1.e4 e5 2.Nf3 Nc6 3.Ke3;Faux;\r\n", 3,
       [] { return texte(743) + " 3.Ke3"; }},
      // A blank that is not one of the separators of the moves.
      {"h\r\n1;A;a;1.e4\xC2\xA0" "e5;Faux;\r\n", 2, [] { return texte(743) + " 1.e4\u00a0e5"; }},
  };
  for (const int cle : {1, 2, 7}) {
    passe_en_langue(cle);
    for (const Cas& c : cas) {
      SCOPED_TRACE(testing::Message() << "key " << cle << " " << c.contenu);
      const QString csv = fichier("faux.csv");
      ecrit(csv, QByteArray(c.contenu));
      try {
        importe_table_eco(chemin_base(), csv);
        ADD_FAILURE() << "accepted";
      } catch (const std::runtime_error& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()),
                  texte(845).arg(QDir::toNativeSeparators(csv)).arg(c.ligne).arg(c.pourquoi()));
      }
      attend_memes_lignes(lignes_base(), avant);
    }
  }
  passe_en_langue(2);
  EXPECT_TRUE(texte(845).contains("Nothing was imported")) << "the English user reads English";
  passe_en_langue(1);
  // A file without rows leaves the table as it is.
  const QString vide = fichier("vide.csv");
  ecrit(vide, QByteArray("Eco_cle;Eco_code\r\n\r\n"));
  EXPECT_EQ(importe_table_eco(chemin_base(), vide), 0);
  attend_memes_lignes(lignes_base(), avant);
}

TEST_F(CsvEco, LesCoupsSontLusCommeLesLignesApprisesEtLaNoteArrondieAuPair) {
  cree_base({{"X", "x", "1.h4 *"}});
  const struct {
    const char* coups;
    const char* note;
    const char* coups_ranges;
    QVariant note_rangee;  // null: no rating
  } cas[] = {
      {"1. e4 e5 2. Nf3", "12.5", "1.e4 e5 2.Nf3 *", 12},
      {"1.e4 c5 1-0", "13.5", "1.e4 c5 1-0", 14},
      {"1.d4 1...d5 2.c4", "12,5", "1.d4 d5 2.c4 *", 12},
      {"1.a3 a6 *", "-0.5", "1.a3 a6 *", 0},
      {"1.Nf3", "2.4", "1.Nf3 *", 2},
      {"1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 0-1", "", "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 0-1", QVariant()},
      // Lines that share their first moves with the line above: the board is
      // taken back to where they part, the castling and en-passant rights
      // with it.
      {"1.e4 e5", "", "1.e4 e5 *", QVariant()},
      {"1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.Ke2", "", "1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.Ke2 *", QVariant()},
      {"1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O", "", "1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.O-O *", QVariant()},
      {"1.e4 f5 2.e5 d5 3.Nf3", "", "1.e4 f5 2.e5 d5 3.Nf3 *", QVariant()},
      {"1.e4 f5 2.e5 d5 3.exd6", "", "1.e4 f5 2.e5 d5 3.exd6e.p. *", QVariant()},
      {"1.e4\te5\t2.Nf3\x0B" "Nc6\x0C" "3.Bb5", "", "1.e4 e5 2.Nf3 Nc6 3.Bb5 *", QVariant()},
  };
  QByteArray contenu("h\r\n");
  for (const auto& c : cas) contenu += QByteArray("1;C;n;") + c.coups + ";Faux;" + c.note + "\r\n";
  const QString csv = fichier("coups.csv");
  ecrit(csv, contenu);
  // The board the moves were played on is the user's again afterwards.
  tab_echiquier.vide();
  const TableauCases plateau = tab_echiquier;
  numero_coup = 17;
  const int n = static_cast<int>(std::size(cas));
  ASSERT_EQ(importe_table_eco(chemin_base(), csv), n);
  EXPECT_TRUE(tab_echiquier == plateau);
  EXPECT_EQ(numero_coup, 17);
  const QList<LigneEco> l = lignes_base();
  ASSERT_EQ(l.size(), n);
  for (int i = 0; i < n; ++i) {
    SCOPED_TRACE(cas[i].coups);
    EXPECT_EQ(l[i].coup, QString::fromLatin1(cas[i].coups_ranges));
    EXPECT_EQ(l[i].note.isNull(), cas[i].note_rangee.isNull());
    if (!cas[i].note_rangee.isNull()) {
      EXPECT_EQ(l[i].note.toDouble(), cas[i].note_rangee.toDouble());
    }
  }
}

TEST_F(CsvEco, CommandesDExportEtDImport) {
  base_eco = chemin_base();
  cree_base({{"C20", "Partie du pion roi", "1.e4 e5 *"}});
  const QString csv = fichier("eco.csv");

  // Export: the name chosen, the question, the count.
  DialoguesEnTest::repond(fichier("eco"));  // ".csv" is added
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  exporte_eco_csv();
  EXPECT_TRUE(QFileInfo::exists(csv));
  EXPECT_EQ(BoitesEnTest::textes().last(), QStringLiteral("1") + texte(275));
  EXPECT_EQ(patience.ouvertures, 1);
  EXPECT_EQ(patience.fermetures, 1);

  // Export over the file: No to the overwrite question keeps it.
  BoitesEnTest::efface();
  db_eco.execute(QStringLiteral("DELETE FROM ECO"));
  DialoguesEnTest::repond(csv);
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::NON);
  exporte_eco_csv();
  EXPECT_EQ(BoitesEnTest::textes().last(), QDir::toNativeSeparators(csv) + texte(216));
  // An empty table exports the header alone.
  BoitesEnTest::efface();
  const QString seul = fichier("entete.csv");
  DialoguesEnTest::repond(seul);
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  exporte_eco_csv();
  EXPECT_EQ(BoitesEnTest::textes().last(), texte(276));

  // Import: two questions, then the count; a No to either changes nothing.
  for (int non : {0, 1}) {
    BoitesEnTest::efface();
    DialoguesEnTest::repond(csv);
    BoitesEnTest::repond(non == 0 ? boite::NON : boite::OUI);
    if (non == 1) BoitesEnTest::repond(boite::NON);
    importe_eco_csv();
    EXPECT_TRUE(lignes_base().isEmpty());
  }
  importe_confirme(csv);
  EXPECT_EQ(BoitesEnTest::textes().last(), QStringLiteral("1") + texte(343));
  EXPECT_EQ(coups_base(), QStringList{"1.e4 e5 *"});

  // A missing file is an error that names it; the table stays.
  importe_confirme(fichier("absent.csv"));
  EXPECT_TRUE(BoitesEnTest::textes().last().contains(QStringLiteral("absent.csv")));
  EXPECT_EQ(coups_base(), QStringList{"1.e4 e5 *"});

  // A base whose table refuses the rows: the program says in the user's
  // language that nothing was imported, SQLite's words follow.
  passe_en_langue(2);
  const QString etroite = fichier("etroite.db");
  plateforme::BaseDonnees::cree(etroite, {"CREATE TABLE ECO (Eco_cle INTEGER PRIMARY KEY, Eco_coup TEXT)",
                                          "CREATE INDEX ECO_coup ON ECO (Eco_coup)"});
  base_eco = etroite;
  importe_confirme(csv);
  ASSERT_FALSE(BoitesEnTest::textes().isEmpty());
  const QString refus = BoitesEnTest::textes().last();
  EXPECT_TRUE(refus.startsWith(texte(860) + "\n")) << refus.toStdString();
  EXPECT_TRUE(refus.contains("no column named")) << refus.toStdString();
  {
    plateforme::BaseDonnees b("etroite");
    b.ouvre(etroite);
    EXPECT_EQ(b.valeur("SELECT count(*) FROM sqlite_master WHERE name = 'ECO_coup'").toInt(), 1)
        << "the index is there again";
  }
  base_eco = chemin_base();
  passe_en_langue(1);

  // A cancelled dialog does nothing.
  DialoguesEnTest::repond(QString());
  importe_eco_csv();
  DialoguesEnTest::repond(QString());
  exporte_eco_csv();
}

}  // namespace
