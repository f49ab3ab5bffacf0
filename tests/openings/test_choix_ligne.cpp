// The line the book move takes, checked against the order worked out here
// from every row of a base big enough for each way the choice is made (few
// lines sorted, many lines found at the head of the order or further down).
#include <algorithm>
#include <map>
#include <optional>
#include <tuple>

#include "openings/base_eco.h"
#include "openings/coup_bibliotheque.h"
#include "openings/hasard.h"
#include "tests/openings/aide_ouvertures.h"

namespace {

struct Rangee {
  qint64 cle;
  QString code, coup;
  bool appris;
  std::optional<double> note;
};

// True when `a` comes before `b`: rating descending with no rating last,
// learned first, code descending, longest first, then text and key.
bool avant(const Rangee& a, const Rangee& b) {
  if (a.note.has_value() != b.note.has_value()) return a.note.has_value();
  if (a.note && *a.note != *b.note) return *a.note > *b.note;
  if (a.appris != b.appris) return a.appris;
  if (a.code != b.code) return a.code > b.code;
  if (a.coup.size() != b.coup.size()) return a.coup.size() > b.coup.size();
  if (a.coup != b.coup) return a.coup.toUtf8() < b.coup.toUtf8();
  return a.cle < b.cle;
}

bool continue_les_coups(const QString& ligne, const QString& coups) {
  const QString debut = coups.isEmpty() ? QString() : coups + ' ';
  if (!ligne.startsWith(debut)) return false;
  const QString reste = ligne.mid(debut.size());
  return reste != "*" && reste != "1-0" && reste != "0-1" && reste != "1/2-1/2";
}

class TestChoixLigne : public TestOuvertures {
 protected:
  // Lines made of a few moves drawn from a small set, so that prefixes are
  // shared by many lines; codes follow the first move as in the shipped base
  // (1.c4 A, 1.e4 B and C, 1.d4 D and E), so that the lines of 1.c4 come
  // after tens of thousands of others in the order; flags and ratings drawn.
  void remplit(int n, int part_notee, int part_apprise = 500) {
    cree_base({}, chemin_base() + QString::number(++bases));
    db_eco.execute(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1), "
        "c(i, l) AS MATERIALIZED (SELECT i, CASE abs(random()) % 3 WHEN 0 THEN '1.e4' WHEN 1 THEN '1.d4' ELSE '1.c4' END "
        "            || CASE abs(random()) % 4 WHEN 0 THEN '' WHEN 1 THEN ' e5' WHEN 2 THEN ' c5' ELSE ' e5 2.Nf3' END "
        "            || CASE abs(random()) % 3 WHEN 0 THEN ' *' WHEN 1 THEN ' x' || (abs(random()) % 50) || ' *' "
        "               ELSE ' 1-0' END FROM n) "
        "INSERT INTO ECO (Eco_code, Eco_libelle, Eco_coup, Eco_connaissance, Eco_note) "
        "SELECT CASE WHEN abs(random()) % 50 = 0 THEN NULL "
        "            ELSE CASE substr(l, 1, 4) WHEN '1.c4' THEN 'A' WHEN '1.e4' THEN char(66 + abs(random()) % 2) "
        "                 ELSE char(68 + abs(random()) % 2) END || (abs(random()) % 10) || (abs(random()) % 10) END, "
        "       'L', l, abs(random()) % 1000 < %3, "
        "       CASE WHEN abs(random()) % 1000 < %2 THEN (abs(random()) % 21) - 10 ELSE NULL END FROM c")
                       .arg(n - 1)
                       .arg(part_notee)
                       .arg(part_apprise));
    rangees.clear();
    for (auto rs = db_eco.requete("SELECT * FROM ECO"); !rs.fin(); rs.suivant()) {
      const QVariant note = rs.valeur("Eco_note");
      rangees.push_back({rs.valeur("Eco_cle").toLongLong(), rs.texte("Eco_code"), rs.texte("Eco_coup"),
                         rs.valeur("Eco_connaissance").toInt() != 0,
                         note.isNull() ? std::nullopt : std::optional<double>(note.toDouble())});
    }
  }

  std::vector<Rangee> suivantes(const QString& coups) const {
    std::vector<Rangee> r;
    for (const auto& x : rangees)
      if (continue_les_coups(x.coup, coups)) r.push_back(x);
    return r;
  }

  qint64 attendue(const QString& coups) const {
    auto r = suivantes(coups);
    if (r.empty()) return 0;
    return std::min_element(r.begin(), r.end(), avant)->cle;
  }

  std::vector<Rangee> rangees;
  int bases = 0;
  const QStringList positions = {"", "1.e4", "1.d4 e5", "1.c4 c5", "1.e4 e5 2.Nf3", "1.d4 e5 2.Nf3 x7", "1.h4"};
};

TEST_F(TestChoixLigne, FewAndManyLinesGiveTheFirstLineOfTheOrder) {
  // Rated and learned lines per thousand.
  for (const auto& [n, notees, apprises] : {std::tuple{300, 100, 500}, std::tuple{12000, 0, 500},
                                            std::tuple{36000, 2, 0}, std::tuple{36000, 0, 0}}) {
    remplit(n, notees, apprises);
    for (const QString& p : positions)
      EXPECT_EQ(cle_ligne_bibliotheque(p.toStdString(), false), attendue(p))
          << "moves \"" << p.toStdString() << "\", " << n << " lines, " << notees << "/1000 rated, " << apprises
          << "/1000 learned";
  }
}

TEST_F(TestChoixLigne, RandomChoiceOnlyTakesContinuingLinesAndReachesThemAll) {
  remplit(12000, 0);
  initialise_hasard(5);
  for (const QString& p : positions) {
    const auto r = suivantes(p);
    std::map<qint64, int> vus;
    for (int i = 0; i < 60; ++i) ++vus[cle_ligne_bibliotheque(p.toStdString(), true)];
    if (r.empty()) {
      EXPECT_EQ(vus.begin()->first, 0);
      continue;
    }
    for (const auto& [cle, fois] : vus) {
      const bool permise = std::any_of(r.begin(), r.end(), [&](const Rangee& x) { return x.cle == cle; });
      EXPECT_TRUE(permise) << "moves \"" << p.toStdString() << "\" drew line " << cle;
    }
    // Many continuing lines: sixty draws land on many different ones.
    if (r.size() > 1000) {
      EXPECT_GT(vus.size(), 50u) << p.toStdString();
    }
  }
}

}  // namespace

namespace {

// Each continuing line is as likely as any other, whether the choice counts
// the lines or draws keys, and whether its first lot of draws hits (keys
// dense, most lines continue) or misses (a wide gap in the keys, many lines
// that end at the moves): two blocks of continuing lines, each should take
// about half the draws.
struct CasEquite {
  const char* nom;
  int par_bloc;
  qint64 ecart;  // the second block's keys start after this one
  bool arrets;   // lines ending at the moves lie between the blocks
  int resultats;  // lines ending in a result right after the moves, before both blocks
};

const CasEquite EQUITES[] = {
    {"few lines across a gap", 600, 500000, true, 0},
    {"many lines across a gap", 3000, 500000, true, 0},
    {"dense keys, first draws hit", 3000, 3000, false, 0},
    // The ranks drawn among all the lines of the range now and then fall on
    // a line that ends in a result, and are drawn again.
    {"few lines beside some that end in a result", 600, 500000, false, 200},
    // The ranks drawn fall on such lines most times, and the continuing
    // lines alone are often counted instead.
    {"few lines among many that end in a result", 100, 500000, false, 1500},
    // One line a block: the last rank of the range, read from its end, is
    // drawn as often as the first (by a rank among the lines of the range,
    // then among the continuing lines alone).
    {"two lines across a gap", 1, 500000, true, 0},
    {"two lines among many that end in a result", 1, 500000, false, 1500},
};

void PrintTo(const CasEquite& c, std::ostream* os) { *os << c.nom; }

class EquiteHasard : public TestOuvertures, public ::testing::WithParamInterface<CasEquite> {};

TEST_P(EquiteHasard, RandomChoiceIsEvenAcrossBlocks) {
  const CasEquite& c = GetParam();
  cree_base({});
  db_eco.execute(QStringLiteral(
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < max(%1, %4)) "
                     "INSERT INTO ECO (Eco_cle, Eco_code, Eco_libelle, Eco_coup, Eco_connaissance) "
                     "SELECT i, 'C20', 'L', '1.e4 e5 *', 0 FROM n WHERE i <= %1 UNION ALL "
                     "SELECT 100000 + i, 'C20', 'L', '1.e4 *', 0 FROM n WHERE %3 AND i <= %1 UNION ALL "
                     "SELECT %2 + i, 'C20', 'L', '1.e4 c5 *', 0 FROM n WHERE i <= %1 UNION ALL "
                     "SELECT 200000 + i, 'C20', 'L', '1.e4 1-0', 0 FROM n WHERE i <= %4")
                     .arg(c.par_bloc)
                     .arg(c.ecart)
                     .arg(c.arrets ? 1 : 0)
                     .arg(c.resultats));
  initialise_hasard(11);
  int premier = 0, second = 0;
  const int tirages = 1200;
  for (int i = 0; i < tirages; ++i) {
    const qint64 cle = cle_ligne_bibliotheque("1.e4", true);
    ASSERT_TRUE((cle >= 1 && cle <= c.par_bloc) || (cle > c.ecart && cle <= c.ecart + c.par_bloc))
        << "line " << cle << " does not continue 1.e4";
    ++(cle <= c.par_bloc ? premier : second);
  }
  // An even choice puts about half the draws in each block (six standard
  // deviations either way).
  EXPECT_NEAR(premier, tirages / 2, 105);
  EXPECT_NEAR(second, tirages / 2, 105);
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Blocs, EquiteHasard, ::testing::ValuesIn(EQUITES), NomDuCas());
