// Every delivered language holds exactly the text numbers of the list, and
// its texts keep the shape of the French ones.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <climits>
#include <set>

#include "langlib/langue.h"
#include "tests/langlib/langues_livrees.h"

using essais_langues::a_le_texte;
using essais_langues::LANGUES;
using essais_langues::numeros_textes;

namespace {

int id_texte(int indice_langue, int numero) { return indice_langue * 1000 + 10 + numero; }

// The argument marks of a text (%1, %2...), sorted.
std::multiset<QString> marques(const QString& t) {
  static const QRegularExpression marque(QStringLiteral("%\\d"));
  std::multiset<QString> m;
  for (auto it = marque.globalMatch(t); it.hasNext();) m.insert(it.next().captured());
  return m;
}

}  // namespace

TEST(CompletudeTextes, LaListeCompte495NumerosDe1A656PuisLesAjouts) {
  const auto origine = essais_langues::numeros_d_origine();
  EXPECT_EQ(origine.size(), 495u);
  EXPECT_EQ(origine.front(), 1);
  EXPECT_EQ(origine.back(), 656);
  EXPECT_LT(origine.back(), essais_langues::PREMIER_NUMERO_AJOUTE);
  const auto numeros = numeros_textes();
  EXPECT_TRUE(std::is_sorted(numeros.begin(), numeros.end()));
  EXPECT_EQ(std::set<int>(numeros.begin(), numeros.end()).size(), numeros.size());
}

// Walks the whole 16-bit id range (and beyond): an id holds a text exactly
// when its language is delivered and its number is in the list.
TEST(CompletudeTextes, ChaqueIdAUnTexteSiEtSeulementSiAttendu) {
  const langue l;
  std::set<int> attendus;
  for (int i = 0; i < 8; ++i)
    if (LANGUES[i].livree)
      for (const int n : numeros_textes())
        if (a_le_texte(i, n)) attendus.insert(id_texte(i, n));

  int manquants = 0, en_trop = 0;
  for (int id = SHRT_MIN; id <= SHRT_MAX; ++id) {
    const bool vide = l.affiche_texte(id).isEmpty();
    const bool attendu = attendus.count(id) != 0;
    if (attendu && vide) {
      if (++manquants <= 20)
        ADD_FAILURE() << LANGUES[(id - 10) / 1000].code << ": text " << (id - 10) % 1000 << " (id " << id
                      << ") is missing";
    } else if (!attendu && !vide) {
      if (++en_trop <= 20) {
        const bool dans_langue = id >= 0 && id < 8000;
        ADD_FAILURE() << "id " << id << " holds a text it should not"
                      << (dans_langue ? std::string(" (") + LANGUES[id / 1000].code + ", text " +
                                            std::to_string(id % 1000 - 10) +
                                            (LANGUES[id / 1000].livree ? ": not in the list)"
                                                                       : ": language not marked delivered)")
                                      : std::string());
      }
    }
  }
  EXPECT_EQ(manquants, 0);
  EXPECT_EQ(en_trop, 0);
  for (const int id : {INT_MIN, -1, 0, 10, 8010, 40000, INT_MAX}) EXPECT_EQ(l.affiche_texte(id), QString()) << id;
}

// A translation keeps what the program relies on: the blanks that join it to
// other words, the field-label colon, the access keys, and one line (two
// Russian and two Polish texts may hold line breaks).
TEST(CompletudeTextes, LesTraductionsGardentLaFormeDuFrancais) {
  const langue l;
  const auto commence_blanc = [](const QString& t) { return t.startsWith(QLatin1Char(' ')); };
  const auto finit_blanc = [](const QString& t) { return t.endsWith(QLatin1Char(' ')); };
  const auto finit_deux_points = [](const QString& t) { return t.trimmed().endsWith(QLatin1Char(':')); };
  for (int i = 0; i < 8; ++i) {
    if (!LANGUES[i].livree) continue;
    int sauts = 0;
    for (const int n : numeros_textes()) {
      if (!a_le_texte(i, n)) continue;
      const QString fr = l.affiche_texte(id_texte(0, n));
      const QString t = l.affiche_texte(id_texte(i, n));
      const std::string lieu = std::string(LANGUES[i].code) + " text " + std::to_string(n) + " \"" +
                               t.toStdString() + "\"";
      EXPECT_EQ(commence_blanc(t), commence_blanc(fr)) << lieu << ": leading blank differs from the French";
      EXPECT_EQ(finit_blanc(t), finit_blanc(fr)) << lieu << ": trailing blank differs from the French";
      EXPECT_EQ(finit_deux_points(t), finit_deux_points(fr)) << lieu << ": final \":\" differs from the French";
      EXPECT_EQ(t.count(QLatin1Char('&')), fr.count(QLatin1Char('&'))) << lieu << ": access keys \"&\" differ";
      EXPECT_FALSE(t.endsWith(QLatin1Char('&'))) << lieu << ": \"&\" marks no key";
      EXPECT_FALSE(t.contains(QLatin1Char('\t'))) << lieu;
      // The program fills %1, %2... in every language alike.
      EXPECT_EQ(marques(t), marques(fr)) << lieu << ": argument marks differ";
      if (n >= essais_langues::PREMIER_NUMERO_AJOUTE)
        EXPECT_EQ(t.count(QLatin1Char('\n')), fr.count(QLatin1Char('\n'))) << lieu << ": line breaks differ";
      else if (t.contains(QLatin1Char('\n')))
        ++sauts;
      EXPECT_FALSE(t.trimmed().isEmpty()) << lieu;
    }
    EXPECT_LE(sauts, i >= 6 ? 2 : 0) << LANGUES[i].code << ": texts with line breaks";
  }
}
