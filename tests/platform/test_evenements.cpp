// When long work lets events run: in tests every yield is due, unless the test
// gives an interval, which then counts on the test clock.
#include <gtest/gtest.h>

#include <vector>

#include "platform/evenements.h"
#include "platform/minuterie.h"
#include "tests/common/aide_tests.h"

using plateforme::MinuteriesEnTest;
using plateforme::PassagesEnTest;

namespace {

class Passages : public TestMorvandel {
 protected:
  void TearDown() override {
    MinuteriesEnTest::desactive();
    TestMorvandel::TearDown();
  }
};

TEST_F(Passages, UnPassageEstDuSelonLIntervalle) {
  struct Etape {
    qint64 avance;       // the test clock moves on by this much first
    bool laisse_passer;  // then events run
    bool du;             // what passage_du() answers after that
  };
  struct Cas {
    const char* nom;
    qint64 intervalle;
    std::vector<Etape> etapes;
  };
  const std::vector<Cas> cas = {
      {"no interval: every call", 0, {{0, false, true}, {0, true, true}, {0, false, true}}},
      {"20 ms",
       20,
       {{0, false, false}, {19, false, false}, {1, false, true}, {0, true, false}, {5, false, false},
        {15, false, true}, {100, false, true}}},
      {"the interval counts from the last run", 10, {{30, false, true}, {0, true, false}, {9, false, false},
                                                      {1, false, true}}},
  };
  MinuteriesEnTest::active();
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    PassagesEnTest::active(c.intervalle);
    for (size_t i = 0; i < c.etapes.size(); ++i) {
      const Etape& e = c.etapes[i];
      MinuteriesEnTest::avance(e.avance);
      const long avant = plateforme::nb_laisse_passer();
      if (e.laisse_passer) plateforme::laisse_passer();
      EXPECT_EQ(plateforme::nb_laisse_passer() - avant, e.laisse_passer ? 1 : 0);
      EXPECT_EQ(plateforme::passage_du(), e.du) << "step " << i;
      // In tests what the work shows is shown at every yield.
      EXPECT_TRUE(plateforme::affichage_du());
    }
  }
}

}  // namespace
