// The printed reports: each definition run on known data and read back from
// the PDF (title, rows, order, bound values), preview or printer by IMP,
// pages of a long report, missing definition or database, the menu items.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include "app/etats.h"
#include "platform/fenetres.h"
#include "app/menu.h"
#include "play/parametres.h"
#include "openings/base_eco.h"
#include "openings/reglages_ouvertures.h"
#include "platform/base_donnees.h"
#include "platform/imprimante.h"
#include "platform/schemas_bases.h"
#include "tests/common/aide_pdf.h"
#include "tests/common/aide_tests.h"

using plateforme::BaseDonnees;
using plateforme::ImpressionsEnTest;

namespace {

class TestEtats : public TestMorvandel {
 protected:
  void SetUp() override {
    TestMorvandel::SetUp();
    // The shipped definitions, in the test's program folder.
    const QDir source(QStringLiteral(MVD_SOURCE_DIR) + "/data/etat");
    QDir(dossier()).mkpath("etat");
    for (const QString& f : source.entryList({"*.rpt"}, QDir::Files))
      ASSERT_TRUE(QFile::copy(source.filePath(f), dossier() + "/etat/" + f));
    base_eco = dossier() + "/eco.db";
    base_corres = dossier() + "/corres.db";
    BaseDonnees::cree(base_eco, schemas::base_eco());
    BaseDonnees::cree(base_corres, schemas::base_corres());
    BaseDonnees eco("essai_eco");
    eco.ouvre(base_eco);
    eco.ajoute("ECO", {{"Eco_code", "A00"}, {"Eco_libelle", "Ouverture polonaise"}, {"Eco_coup", "1.b4 *"}});
    eco.ajoute("ECO", {{"Eco_code", "C20"},
                       {"Eco_libelle", "Partie d'O'Kelly"},
                       {"Eco_coup", "1.e4 e5 2.Qh5 *"},
                       {"Eco_connaissance", 1},
                       {"Eco_note", 12.5}});
    BaseDonnees pc("essai_corres");
    pc.ouvre(base_corres);
    auto partie = [&](const char* blanc, const char* noir, const char* debut, const char* envoi) {
      pc.ajoute("PARTIE", {{"BLANC", blanc},
                           {"NOIR", noir},
                           {"Mel Blanc", "b@x"},
                           {"Mel Noir", "n@x"},
                           {"Date debut", debut},
                           {"Date coup envoyé", envoi},
                           {"Dernier coup envoyé", "e4"},
                           {"Resultat", "*"}});
    };
    partie("Alice", "Bruno", "2026-03-01", "2026-03-02");
    partie("Carla", "Denis", "2026-01-15", "2026-04-20");
  }
  void TearDown() override {
    db_eco.ferme();
    TestMorvandel::TearDown();
  }
  // The text of the one job printed, all pages.
  QString texte_imprime(int* pages = nullptr) {
    EXPECT_EQ(impressions().size(), 1);
    const QStringList p = pages_pdf(impressions().value(0));
    if (pages) *pages = static_cast<int>(p.size());
    return p.join('\f');
  }
};

TEST_F(TestEtats, EachReportPrintsItsRowsInItsOrder) {
  const struct {
    QString modele;
    bool corres;
    QString titre;
    QStringList dans_l_ordre;
    QStringList absents;
  } cas[] = {
      {"lis_eco.rpt", false, "DONNÉES DE LA BASE DES OUVERTURES",
       {"Code", "Ouverture", "Coups", "A00", "Ouverture polonaise", "1.b4 *", "C20", "Partie d'O'Kelly"}, {}},
      {"lis_con.rpt", false, "DONNÉES DE LA BASE ENRICHIES", {"C20", "Partie d'O'Kelly", "12.5", "1.e4 e5 2.Qh5 *"},
       {"A00", "polonaise"}},
      {"lis_pc1.rpt", true, "LISTE DES PARTIES PAR DATE DE DÉBUT", {"15/01/2026", "Carla", "01/03/2026", "Alice"}, {}},
      {"lis_pc2.rpt", true, "LISTE DES PARTIES PAR DATE D'ENVOI", {"Alice", "02/03/2026", "Carla", "20/04/2026"}, {}},
  };
  imp = 1;
  for (const auto& c : cas) {
    SCOPED_TRACE(c.modele.toStdString());
    ImpressionsEnTest::efface();
    ASSERT_TRUE(lance_etat(c.modele, c.corres ? base_corres : base_eco));
    int pages = 0;
    const QString t = texte_imprime(&pages);
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(t.contains(c.titre)) << t.toStdString();
    EXPECT_TRUE(t.contains("Page 1/1"));
    qsizetype ici = t.indexOf(c.titre);
    for (const QString& a : c.dans_l_ordre) {
      const qsizetype k = t.indexOf(a, ici);
      EXPECT_GE(k, 0) << "missing or out of order: " << a.toStdString() << "\n" << t.toStdString();
      if (k >= 0) ici = k;
    }
    for (const QString& a : c.absents) EXPECT_FALSE(t.contains(a)) << a.toStdString();
  }
  EXPECT_EQ(ImpressionsEnTest::apercus(), 0);
}

// IMP 0 opens the preview (its real window here, closed at once); the
// opening base stays open for the program meanwhile.
TEST_F(TestEtats, PreviewByImpZeroWhileTheOpeningBaseIsOpen) {
  ouvre_base_eco(base_eco);
  imp = 0;
  ImpressionsEnTest::apercu_reel(true);
  ASSERT_TRUE(lance_etat("lis_eco.rpt", base_eco));
  EXPECT_EQ(ImpressionsEnTest::apercus(), 1);
  EXPECT_TRUE(texte_imprime().contains("Ouverture polonaise"));
  EXPECT_TRUE(db_eco.ouverte());
}

TEST_F(TestEtats, LongReportGoesOnOverNumberedPages) {
  {
    BaseDonnees eco("essai_long");
    eco.ouvre(base_eco);
    eco.transaction([&] {
      for (int i = 0; i < 150; ++i)
        eco.ajoute("ECO", {{"Eco_code", QString("B%1").arg(i, 3, 10, QChar('0'))}, {"Eco_coup", "1.e4 c5 *"}});
    });
  }
  imp = 1;
  ASSERT_TRUE(lance_etat("lis_eco.rpt", base_eco));
  int pages = 0;
  const QString t = texte_imprime(&pages);
  EXPECT_GE(pages, 3);
  EXPECT_EQ(nb_pages_pdf(impressions()[0]), pages);
  EXPECT_TRUE(t.contains(QString("Page %1/%1").arg(pages)));
  for (int i = 0; i < 150; ++i) EXPECT_TRUE(t.contains(QString("B%1").arg(i, 3, 10, QChar('0')))) << i;
}

// The shipped opening list printed: no name and no move line loses its end,
// every word of the base is on the paper whole.
TEST_F(TestEtats, TheOpeningListPrintsEveryWordOfTheShippedBase) {
  const QString livree = QStringLiteral(MVD_BUILD_DIR "/base/eco.db");
  QSet<QString> attendus;
  {
    BaseDonnees eco("essai_livree");
    eco.ouvre(livree);
    auto rs = eco.requete("SELECT Eco_libelle, Eco_coup FROM ECO");
    for (; !rs.fin(); rs.suivant())
      for (const char* champ : {"Eco_libelle", "Eco_coup"})
        for (const QString& mot : rs.texte(champ).split(' ', Qt::SkipEmptyParts)) attendus.insert(mot);
  }
  ASSERT_GT(attendus.size(), 1000);
  imp = 1;
  ASSERT_TRUE(lance_etat("lis_eco.rpt", livree));
  QSet<QString> imprimes;
  // The PDF's ligatures (ff, fi, fl) read as their letters.
  const QString texte = texte_imprime().normalized(QString::NormalizationForm_KC);
  for (const QString& mot : texte.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) imprimes.insert(mot);
  QStringList manquants;
  for (const QString& mot : attendus)
    if (!imprimes.contains(mot)) manquants << mot;
  manquants.sort();
  EXPECT_EQ(manquants.size(), 0) << manquants.mid(0, 40).join(' ').toStdString();
}

// A missing definition, a missing database or a failed print: the error's
// text, exclamation icon, the executable's name as title; nothing printed.
TEST_F(TestEtats, ErrorsAreShownAndNothingPrinted) {
  const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  QFile::remove(dossier() + "/etat/lis_con.rpt");
  const struct {
    QString modele, base, echec, dans_le_texte;
  } cas[] = {
      {"lis_con.rpt", base_eco, "", "lis_con.rpt"},
      {"lis_pc1.rpt", dossier() + "/absente.db", "", "absente.db"},
      {"lis_eco.rpt", base_eco, "Imprimante hors ligne", "Imprimante hors ligne"},
  };
  imp = 1;
  for (const auto& c : cas) {
    SCOPED_TRACE(c.modele.toStdString());
    plateforme::BoitesEnTest::efface();
    if (!c.echec.isEmpty()) ImpressionsEnTest::echoue(c.echec);
    plateforme::BoitesEnTest::repond(boite::OK);
    EXPECT_FALSE(lance_etat(c.modele, c.base));
    ASSERT_EQ(plateforme::BoitesEnTest::vues().size(), 1);
    const plateforme::BoiteVue& v = plateforme::BoitesEnTest::vues()[0];
    EXPECT_TRUE(v.texte.contains(c.dans_le_texte)) << v.texte.toStdString();
    EXPECT_EQ(v.style, boite::EXCLAMATION);
    EXPECT_EQ(v.titre, exe);
  }
  EXPECT_TRUE(impressions().isEmpty());
  EXPECT_FALSE(QFileInfo::exists(dossier() + "/absente.db"));
}

TEST_F(TestEtats, MenuItemsRunTheirReports) {
  Menu& m = fenetres::instance<Menu>();
  imp = 1;
  const struct {
    QAction* item;
    QString titre;
  } cas[] = {
      {m.menu_edt_eco, "DONNÉES DE LA BASE DES OUVERTURES"},
      {m.menu_edt_enrichie, "DONNÉES DE LA BASE ENRICHIES"},
      {m.menu_pc_edt[0], "LISTE DES PARTIES PAR DATE DE DÉBUT"},
      {m.menu_pc_edt[1], "LISTE DES PARTIES PAR DATE D'ENVOI"},
  };
  for (const auto& c : cas) {
    ImpressionsEnTest::efface();
    ASSERT_TRUE(c.item->isEnabled());
    c.item->trigger();
    EXPECT_TRUE(texte_imprime().contains(c.titre)) << c.titre.toStdString();
  }
}

}  // namespace
