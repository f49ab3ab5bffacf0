// The French wording of every text the program's descriptions quote is the
// library's, to the character.
#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QStringList>
#include <set>

#include "langlib/langue.h"
#include "tests/langlib/langues_livrees.h"

namespace {

struct TexteCite {
  int numero;
  QString texte;
  int ligne;
};

// tests/langlib/textes_cites.tsv: number, tab, the text between double quotes.
std::vector<TexteCite> lit_textes_cites() {
  QFile f(QStringLiteral(MVD_SOURCE_DIR "/tests/langlib/textes_cites.tsv"));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
  std::vector<TexteCite> cites;
  int ligne = 0;
  for (const QString& l : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
    ++ligne;
    if (l.isEmpty() || l.startsWith(QLatin1Char('#'))) continue;
    const int tab = l.indexOf(QLatin1Char('\t'));
    bool ok = false;
    const int numero = l.left(tab).toInt(&ok);
    const QString cite = l.mid(tab + 1);
    if (tab < 1 || !ok || cite.size() < 2 || !cite.startsWith(QLatin1Char('"')) || !cite.endsWith(QLatin1Char('"'))) {
      ADD_FAILURE() << "textes_cites.tsv line " << ligne << " is malformed: " << l.toStdString();
      continue;
    }
    cites.push_back({numero, cite.mid(1, cite.size() - 2), ligne});
  }
  return cites;
}

}  // namespace

TEST(TextesCites, LeTableauEstBienForme) {
  const auto cites = lit_textes_cites();
  ASSERT_FALSE(cites.empty());
  const auto liste = essais_langues::numeros_textes();
  const std::set<int> numeros(liste.begin(), liste.end());
  std::set<int> vus;
  for (const auto& c : cites) {
    EXPECT_TRUE(numeros.count(c.numero)) << "line " << c.ligne << ": text " << c.numero << " is not in the list";
    EXPECT_TRUE(vus.insert(c.numero).second) << "line " << c.ligne << ": text " << c.numero << " twice";
  }
}

TEST(TextesCites, ChaqueTexteCiteEstLeTexteFrancaisExact) {
  const langue l;
  for (const auto& c : lit_textes_cites())
    EXPECT_EQ(l.affiche_texte(c.numero + 10), c.texte) << "French text " << c.numero;
}
