// Opening lines learned from the games of a PGN file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "chess/etat.h"
#include "gamefiles/enrichit_pgn.h"
#include "localisation/textes_langue.h"
#include "openings/base_eco.h"
#include "openings/liens_ouvertures.h"
#include "platform/boites.h"
#include "platform/dialogues_fichiers.h"
#include "platform/evenements.h"
#include "platform/schemas_bases.h"
#include "tests/gamefiles/aide_pgn.h"

using plateforme::BoitesEnTest;

namespace {

class FenetreProgressionVue : public FenetreProgression {
 public:
  QString titre;
  QStringList libelles;
  int fermetures = 0;
  bool base_prise = false;  // the base was held by the job while it ran
  void montre(const QString& t) override {
    titre = t;
    base_prise = base_occupee();
  }
  void definit_libelle(const QString& t) override { libelles << t; }
  void progression(double) override {}
  void ferme() override { ++fermetures; }
};

class EnrichitPgn : public TestPgn {
 protected:
  void SetUp() override {
    TestPgn::SetUp();
    liens_ouvertures() = LiensOuvertures{};
    liens_ouvertures().patience = [this]() -> FenetreProgression* { return &patience; };
    const QString base = QDir(dossier()).filePath(QStringLiteral("eco.db"));
    plateforme::BaseDonnees::cree(base, schemas::base_eco());
    ouvre_base_eco(base);
    db_eco.ajoute(QStringLiteral("ECO"), {{QStringLiteral("Eco_code"), QStringLiteral("C20")},
                                          {QStringLiteral("Eco_libelle"), QStringLiteral("Partie du pion roi")},
                                          {QStringLiteral("Eco_coup"), QStringLiteral("1.e4 e5 *")}});
  }
  void TearDown() override {
    db_eco.ferme();
    liens_ouvertures() = LiensOuvertures{};
    TestPgn::TearDown();
  }
  // The lines added after the shipped one: "code|line".
  static QStringList ajoutees() {
    QStringList l;
    for (auto rs = db_eco.requete(QStringLiteral("SELECT Eco_code, Eco_libelle, Eco_coup, Eco_connaissance FROM ECO "
                                                 "WHERE Eco_cle > 1 ORDER BY Eco_cle"));
         !rs.fin(); rs.suivant()) {
      EXPECT_EQ(rs.texte(QStringLiteral("Eco_code")), rs.texte(QStringLiteral("Eco_libelle")));
      EXPECT_EQ(rs.valeur(QStringLiteral("Eco_connaissance")).toInt(), 0);
      l << rs.texte(QStringLiteral("Eco_code")) + QLatin1Char('|') + rs.texte(QStringLiteral("Eco_coup"));
    }
    return l;
  }
  static std::string avec_eco(const std::string& eco, const std::string& partie) {
    return "[ECO \"" + eco + "\"]\r\n" + partie;
  }
  FenetreProgressionVue patience;
};

TEST_F(EnrichitPgn, LesDouzePremiersDemiCoupsDeChaquePartie) {
  struct Cas {
    const char* nom;
    std::string fichier;
    QStringList attendu;
    int parties;
  } cas[] = {
      {"six prefixes, the shipped one not again",
       avec_eco("c60", partie_pgn("A", "B", "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6", "1-0")),
       {"C60|1.e4 *", "C60|1.e4 e5 2.Nf3 *", "C60|1.e4 e5 2.Nf3 Nc6 *", "C60|1.e4 e5 2.Nf3 Nc6 3.Bb5 *",
        "C60|1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 *"},
       1},
      {"a game ending after White's move: the result is no move",
       avec_eco("C40", partie_pgn("A", "B", "1.e4 e5 2.Nf3", "0-1")),
       {"C40|1.e4 *", "C40|1.e4 e5 2.Nf3 *"},
       1},
      {"comments, annotations and variations are no moves",
       avec_eco("B20", partie_pgn("A", "B", "1. e4 {best by test} c5 $1 (1... e5 2. Nf3) 2. Nf3!? ; a remark\n d6", "*")),
       {"B20|1.e4 *", "B20|1.e4 c5 *", "B20|1.e4 c5 2.Nf3 *", "B20|1.e4 c5 2.Nf3 d6 *"},
       1},
      {"only the first six move numbers",
       avec_eco("C65", partie_pgn("A", "B",
                                  "1.e4 e5 2.Nf3 Nc6 3.Bb5 Nf6 4.O-O Nxe4 5.Re1 Nd6 6.Nxe5 Be7 7.Bf1 Nxe5 8.Rxe5 O-O "
                                  "9.d4 Bf6 10.Re1 Re8 11.c3 Rxe1 12.Qxe1 Ne8",
                                  "1/2-1/2")),
       {"C65|1.e4 *", "C65|1.e4 e5 2.Nf3 *", "C65|1.e4 e5 2.Nf3 Nc6 *", "C65|1.e4 e5 2.Nf3 Nc6 3.Bb5 *",
        "C65|1.e4 e5 2.Nf3 Nc6 3.Bb5 Nf6 *", "C65|1.e4 e5 2.Nf3 Nc6 3.Bb5 Nf6 4.O-O *",
        "C65|1.e4 e5 2.Nf3 Nc6 3.Bb5 Nf6 4.O-O Nxe4 *", "C65|1.e4 e5 2.Nf3 Nc6 3.Bb5 Nf6 4.O-O Nxe4 5.Re1 *",
        "C65|1.e4 e5 2.Nf3 Nc6 3.Bb5 Nf6 4.O-O Nxe4 5.Re1 Nd6 *",
        "C65|1.e4 e5 2.Nf3 Nc6 3.Bb5 Nf6 4.O-O Nxe4 5.Re1 Nd6 6.Nxe5 *",
        "C65|1.e4 e5 2.Nf3 Nc6 3.Bb5 Nf6 4.O-O Nxe4 5.Re1 Nd6 6.Nxe5 Be7 *"},
       1},
      {"a game without the tag has no code, whatever came before; the shared prefix once",
       avec_eco("A40", partie_pgn("A", "B", "1.d4 d5", "*")) + partie_pgn("C", "D", "1.d4 Nf6", "*"),
       {"A40|1.d4 *", "A40|1.d4 d5 *", "|1.d4 Nf6 *"},
       2},
      {"a game set up from a position adds nothing, though its moves are legal from the usual start too; an "
       "illegal move ends the game's lines",
       "[SetUp \"1\"]\r\n[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKB1R w KQkq - 0 1\"]\r\n" +
           partie_pgn("A", "B", "1.e4 e5 2.Nc3", "*") +
           partie_pgn("C", "D", "1.a4 a5 2.Ra3 Ra6 3.Rb5", "*"),
       {"|1.a4 *", "|1.a4 a5 *", "|1.a4 a5 2.Ra3 *", "|1.a4 a5 2.Ra3 Ra6 *"},
       2},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    db_eco.execute(QStringLiteral("DELETE FROM ECO WHERE Eco_cle > 1"));
    for (int orientation : {BLANC, NOIR}) {
      couleur_joueur = orientation;
      texte_partie = "1.c4";
      const TableauCases avant = tab_echiquier;
      const BilanEnrichissement b = enrichit_base_depuis_pgn(ecrit_fichier(c.fichier));
      EXPECT_EQ(b.parties, c.parties);
      // The second reading finds every line in the base already.
      EXPECT_EQ(b.lignes, orientation == BLANC ? c.attendu.size() : 0);
      EXPECT_EQ(ajoutees(), c.attendu);
      EXPECT_EQ(couleur_joueur, orientation);
      EXPECT_TRUE(tab_echiquier == avant);
      EXPECT_EQ(texte_partie, "1.c4");
    }
  }
}

// A stop keeps the lots already committed; the lines of the games read are
// in the base, and those of the later games are not.
TEST_F(EnrichitPgn, UnArretGardeCeQuiEstValide) {
  std::string fichier;
  const char* premiers[] = {"a3", "a4", "b3", "b4", "c3", "c4", "d3", "d4", "e3", "e4",
                            "f3", "f4", "g3", "g4", "h3", "h4", "Na3", "Nc3", "Nf3", "Nh3"};
  for (int i = 0; i < 600; ++i)
    fichier += partie_pgn("A", "B", std::string("1.") + premiers[i % 20] + (i < 300 ? " a6" : " h6"), "*");
  int lots = 0;
  const BilanEnrichissement b =
      enrichit_base_depuis_pgn(ecrit_fichier(fichier), [&](const BilanEnrichissement& bilan, std::int64_t lu,
                                                           std::int64_t taille) {
        ++lots;
        EXPECT_LE(lu, taille);
        arret_demande = true;
      });
  EXPECT_TRUE(b.arrete);
  EXPECT_EQ(lots, 1);
  EXPECT_LT(b.parties, 300);
  EXPECT_EQ(db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO WHERE Eco_cle > 1")).toInt(), b.lignes);
  EXPECT_EQ(b.lignes, 40);
  EXPECT_EQ(db_eco.valeur(QStringLiteral("SELECT count(*) FROM ECO WHERE Eco_coup LIKE '% h6 *'")).toInt(), 0);
}

TEST_F(EnrichitPgn, LaCommandeDemandeMontreEtAnnonce) {
  const QString chemin = ecrit_fichier(avec_eco("A00", partie_pgn("A", "B", "1.a3 a6 2.b3", "*")));
  const QString natif = QDir::toNativeSeparators(chemin);
  // A No to the question reads nothing.
  plateforme::DialoguesEnTest::repond(chemin);
  BoitesEnTest::repond(boite::NON);
  enrichit_depuis_fichier_pgn();
  EXPECT_EQ(BoitesEnTest::textes(), QStringList{texte(118) + natif});
  EXPECT_TRUE(ajoutees().isEmpty());

  BoitesEnTest::efface();
  plateforme::DialoguesEnTest::repond(chemin);
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  enrichit_depuis_fichier_pgn();
  EXPECT_EQ(BoitesEnTest::textes().last(), texte(109) + QStringLiteral("+3") + texte(110));
  EXPECT_EQ(patience.titre, texte(258) + natif + QStringLiteral(" ..."));
  EXPECT_EQ(patience.libelles.last(), QStringLiteral("3/1 ") + texte(248));
  EXPECT_EQ(patience.fermetures, 1);
  EXPECT_TRUE(patience.base_prise);
  EXPECT_FALSE(base_occupee());
  EXPECT_EQ(ajoutees().size(), 3);
  const auto& dialogue = plateforme::DialoguesEnTest::vus().last();
  EXPECT_EQ(dialogue.titre, texte(214));
  EXPECT_FALSE(dialogue.sauver);

  // A file that cannot be read: the error, the progress window closed.
  BoitesEnTest::efface();
  plateforme::DialoguesEnTest::repond(QDir(dossier()).filePath(QStringLiteral("absent.pgn")));
  BoitesEnTest::repond(boite::OUI);
  BoitesEnTest::repond(boite::OK);
  enrichit_depuis_fichier_pgn();
  EXPECT_TRUE(BoitesEnTest::textes().last().contains(QStringLiteral("absent.pgn")));
  EXPECT_EQ(patience.fermetures, 2);
  // A cancelled dialog does nothing.
  plateforme::DialoguesEnTest::repond(QString());
  enrichit_depuis_fichier_pgn();
}

}  // namespace
