// The platform words its refusals in the user's language, through the
// language library, and a library's own words (SQLite's, Qt's) come after
// the program's sentence as detail.
#include <QDir>
#include <QFileInfo>

#include "platform/base_donnees.h"
#include "platform/courriel.h"
#include "platform/langue_messages.h"
#include "platform/modele_table.h"
#include "platform/schemas_bases.h"
#include "platform/telechargement.h"
#include "tests/common/aide_tests.h"

using plateforme::BaseDonnees;
using plateforme::ErreurBase;
using plateforme::texte_message;

namespace {

class MessagesPlateforme : public TestMorvandel {};

// A new, empty opening base in `dossier`, open in `base`.
void base_eco(BaseDonnees& base, const QString& dossier) {
  const QString chemin = QDir(dossier).filePath("eco.db");
  if (!QFileInfo::exists(chemin)) BaseDonnees::cree(chemin, schemas::base_eco());
  base.ouvre(chemin);
}

// One refusal: what the platform returns for a test folder, and what the
// user must read (the program's sentence by number, then the library's
// words if any).
struct Refus {
  const char* nom;
  std::function<QString(const QString& dossier)> message;
  std::function<QString(const QString& dossier)> attendu;
};

QString erreur_de(const std::function<void()>& travail) {
  try {
    travail();
  } catch (const ErreurBase& e) {
    return e.texte();
  }
  return QStringLiteral("<no error>");
}

}  // namespace

TEST_F(MessagesPlateforme, ChaqueRefusSuitLaLangueDeLInterface) {
  const std::vector<Refus> cas = {
      {"colonne inconnue",
       [](const QString& dossier) {
         BaseDonnees base("essai");
         base_eco(base, dossier);
         return erreur_de([&] { base.requete("SELECT foo FROM ECO"); });
       },
       [](const QString&) { return texte_message(780) + "\nno such column: foo"; }},
      {"fichier absent",
       [](const QString& dossier) {
         BaseDonnees base("essai");
         return erreur_de([&] { base.ouvre(QDir(dossier).filePath("absent.db")); });
       },
       [](const QString& dossier) {
         return texte_message(785).arg(QDir::toNativeSeparators(QDir(dossier).filePath("absent.db")));
       }},
      {"adresse de téléchargement",
       [](const QString&) {
         plateforme::Telechargement t;
         QString erreur;
         EXPECT_FALSE(t.lance("ftp://exemple.test/partie.xml", &erreur));
         return erreur;
       },
       [](const QString&) { return texte_message(823).arg("ftp://exemple.test/partie.xml"); }},
      {"deux adresses de courrier", [](const QString&) { return plateforme::defaut_adresse("a@b.fr;c@d.fr"); },
       [](const QString&) { return texte_message(795).arg("a@b.fr;c@d.fr"); }},
      {"filtre de la grille",
       [](const QString& dossier) {
         BaseDonnees base("essai");
         base_eco(base, dossier);
         plateforme::ModeleTable modele(base, "ECO");
         return modele.filtre("Eco_zzz = 1");
       },
       [](const QString&) { return texte_message(820) + "\nno such column: Eco_zzz"; }},
  };
  for (const int cle : {1, 2, 5, 7}) {
    passe_en_langue(cle);
    for (const Refus& c : cas) {
      SCOPED_TRACE(testing::Message() << "key " << cle << ", " << c.nom);
      const QString vu = c.message(dossier());
      EXPECT_EQ(vu.toStdString(), c.attendu(dossier()).toStdString());
      if (cle == 1) continue;
      // Not the French sentence: the one of the chosen language.
      base_texte = 10;
      const QString francais = c.message(dossier());
      passe_en_langue(cle);
      EXPECT_NE(vu.section('\n', 0, 0), francais.section('\n', 0, 0));
    }
  }
}

TEST_F(MessagesPlateforme, UnEchecSQLiteDitCeQuiEstGardeAvantLesMotsDeLaBibliotheque) {
  passe_en_langue(2);
  BaseDonnees base("essai");
  base_eco(base, dossier());
  base.ajoute("ECO", {{"Eco_coup", "1.e4 *"}});
  try {
    base.ajoute("ECO", {{"Eco_code", "sans coup"}});  // Eco_coup is required
    FAIL() << "a row without its move was taken";
  } catch (const ErreurBase& e) {
    EXPECT_TRUE(e.texte().startsWith(texte_message(780) + "\n")) << e.texte().toStdString();
    EXPECT_TRUE(e.detail().contains("NOT NULL")) << e.detail().toStdString();
    EXPECT_TRUE(e.texte().endsWith(e.detail()));
  }
  EXPECT_EQ(base.valeur("SELECT count(*) FROM ECO").toInt(), 1) << "the base is unchanged, as said";
  EXPECT_EQ(plateforme::avec_detail("Phrase.", "  "), "Phrase.");
}
