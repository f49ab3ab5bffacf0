// No French words in the program's code where the user reads them: every
// message comes from the language library. What stays written in the code
// is listed, each with why, in textes_de_conception.tsv.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QSet>

#include "langlib/langue.h"
#include "tests/localisation/textes_en_dur.h"

using textes_en_dur::en_francais;
using textes_en_dur::litteraux;

namespace {

// The program's folders; the tests, the fuzz targets, the benchmarks and the
// build tools speak to developers.
const char* const DOSSIERS[] = {"app",      "boardcontrol", "chess",    "correspondence", "gamefiles",
                                "localisation", "network",  "openings", "platform",       "play"};

QString lit(const QString& chemin) {
  QFile f(chemin);
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << chemin.toStdString();
  return QString::fromUtf8(f.readAll());
}

// file, text -> why; the text as written between the quotes.
QMap<QPair<QString, QString>, QString> lit_permis() {
  QMap<QPair<QString, QString>, QString> permis;
  int ligne = 0;
  for (const QString& l : lit(QStringLiteral(MVD_SOURCE_DIR "/tests/localisation/textes_de_conception.tsv"))
                              .split(QLatin1Char('\n'))) {
    ++ligne;
    if (l.isEmpty() || l.startsWith(QLatin1Char('#'))) continue;
    const QStringList champs = l.split(QLatin1Char('\t'));
    if (champs.size() != 3 || champs[2].trimmed().isEmpty()) {
      ADD_FAILURE() << "textes_de_conception.tsv line " << ligne << ": file, text and why, tab-separated";
      continue;
    }
    permis.insert({champs[0], champs[1]}, champs[2]);
  }
  return permis;
}

// The French texts of the library's own windows and menus (numbers below the
// program's added messages): a control's design-time caption that equals
// one of them is replaced by it on load in every language.
QSet<QString> textes_des_fenetres() {
  const langue l;
  QSet<QString> textes;
  for (int n = 1; n < 680; ++n) {
    const QString t = l.affiche_texte(10 + n);
    if (!t.isEmpty()) textes.insert(t);
  }
  return textes;
}

}  // namespace

TEST(TextesEnDur, LeDetecteurReconnaitLeFrancaisEtLuiSeul) {
  struct Cas {
    const char* source;
    bool francais;
  } cas[] = {
      // Messages once written in the code: caught if they came back.
      {"QStringLiteral(\"ligne %1 : la note \xC2\xAB abc \xC2\xBB n'est pas un nombre\")", true},
      {"QStringLiteral(\"Adresse incorrecte (http ou https attendu) : \") + adresse", true},
      {"QStringLiteral(\"Numéro de port incorrect (1 à 65535) : \")", true},
      {"QStringLiteral(\"Ce n'est pas à vous de jouer dans cette partie.\")", true},
      {"QStringLiteral(\"Aucune partie par correspondance n'est preparee.\")", true},
      {"erreur = QStringLiteral(\"ligne %1\").arg(n);", true},
      {"label->setText(QStringLiteral(\"%1 / %2\"));", false},
      // Not French, or not for the user.
      {"QStringLiteral(\"SELECT * FROM PARTIE WHERE Cle = ?\")", false},
      {"QStringLiteral(\"no such column\")", false},
      {"objectName(\"Eco_coup\")", false},
      {"// la partie est finie\nint x = 0;", false},
      {"/* une ligne \"coup\" */ int y;", false},
      {"qWarning(\"la partie est finie\");", false},
      {"throw std::out_of_range(\"Indice en dehors de la plage\");", false},
      {"QStringLiteral(\"a\\n b\")", false},
      {"journal(\"not the opponent's turn\");", false},
      {"journal(\"no request within %1 s: closed\");", false},
      {"QStringLiteral(\"l'adresse de l'adversaire\")", true},
      {"QFont(\"DejaVu Sans Mono\")", false},
      {"QStringLiteral(\"Le programme s'est arrêté\")", true},
      {"char c = '\"'; QString s = QStringLiteral(\"la fin\");", true},
  };
  for (const Cas& c : cas) {
    const auto vus = litteraux(QString::fromUtf8(c.source));
    bool francais = false;
    for (const auto& v : vus) francais = francais || en_francais(v.texte);
    EXPECT_EQ(francais, c.francais) << c.source;
  }
  const auto deux = litteraux(QStringLiteral("a(\"un\");\n/* \n */ b(\"deux\");"));
  ASSERT_EQ(deux.size(), 2u);
  EXPECT_EQ(deux[1].ligne, 3);
  EXPECT_EQ(deux[1].texte, QStringLiteral("deux"));
}

// Every French literal of the program's code is a caption its window shows
// before the library's text replaces it, or is listed with why it stays;
// and every listed text is still in its file, so the list holds no more
// than it must.
TEST(TextesEnDur, AucunMessageFrancaisHorsDeLaBibliothequeDeLangues) {
  const auto permis = lit_permis();
  const QSet<QString> fenetres = textes_des_fenetres();
  QSet<QPair<QString, QString>> vus;
  int fautes = 0;
  const QString racine = QStringLiteral(MVD_SOURCE_DIR "/");
  for (const char* dossier : DOSSIERS) {
    QDirIterator it(racine + QString::fromLatin1(dossier), {"*.cpp", "*.h"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString chemin = it.next();
      const QString fichier = chemin.mid(racine.size());
      for (const auto& l : litteraux(lit(chemin))) {
        if (!en_francais(l.texte)) continue;
        vus.insert({fichier, l.texte});
        if (fenetres.contains(l.texte) || permis.contains({fichier, l.texte})) continue;
        ++fautes;
        ADD_FAILURE() << fichier.toStdString() << ":" << l.ligne << ": French text \"" << l.texte.toStdString()
                      << "\": take it from the language library (texte(n)), or list it in "
                         "tests/localisation/textes_de_conception.tsv with why it stays";
      }
    }
  }
  EXPECT_EQ(fautes, 0);
  for (auto it = permis.cbegin(); it != permis.cend(); ++it)
    EXPECT_TRUE(vus.contains(it.key())) << "listed but no longer in " << it.key().first.toStdString() << ": \""
                                        << it.key().second.toStdString() << "\"";
}
