// The tag filter: which games each criterion keeps.
#include "gamefiles/charge.h"
#include "play/parametres.h"
#include "gamefiles/filtre_pgn.h"
#include "tests/gamefiles/aide_pgn.h"

namespace {

// One game with the tags the rows below look at.
const char* const PARTIE =
    "[Event \"Open de Besan\xC3\xA7on\"]\n[EventDate \"1999.01.01\"]\n[Site \"Dijon\"]\n[Date \"2024.05.01\"]\n"
    "[Round \"3\"]\n[White \"\xC3\x89lodie Smith\"]\n[WhiteElo \"2100\"]\n[Black \"Jones, Paul\"]\n"
    "[Result \"1-0\"]\n[ECO \"C50\"]\n[Annotator \"Smith\"]\n\n1.e4 1-0\n";

struct CasFiltre {
  const char* nom;
  pgn::CriteresFiltre criteres;
  bool passe;
};

pgn::CriteresFiltre crit(const char* champ, const char* valeur, bool lesdeux = false) {
  pgn::CriteresFiltre c;
  const QString v = QString::fromUtf8(valeur);
  const std::string n = champ;
  if (n == "blanc") c.blanc = v;
  if (n == "noir") c.noir = v;
  if (n == "resultat") c.resultat = v;
  if (n == "eco") c.eco = v;
  if (n == "site") c.site = v;
  if (n == "event") c.event = v;
  if (n == "date") c.date = v;
  if (n == "ronde") c.ronde = v;
  c.lesdeux = lesdeux;
  return c;
}

const CasFiltre CAS[] = {
    {"no criterion", {}, true},
    {"White begins with", crit("blanc", "\xC3\x89lo"), true},
    {"White, case and accent of the letter ignored", crit("blanc", "\xC3\xa9LODIE"), true},
    {"White is not found in the middle", crit("blanc", "Smith"), false},
    {"White criterion does not look at Black", crit("blanc", "Jones"), false},
    {"White criterion does not read WhiteElo", crit("blanc", "2100"), false},
    {"White criterion does not read another tag", crit("blanc", "Smith", true), false},
    {"either colour: Black's value", crit("blanc", "jones", true), true},
    {"either colour: White's value", crit("noir", "\xC3\xa9lodie", true), true},
    {"Black begins with", crit("noir", "jones, p"), true},
    {"Black does not match", crit("noir", "Paul"), false},
    {"Date is not EventDate", crit("date", "1999"), false},
    {"Date begins with", crit("date", "2024.05"), true},
    {"Event begins with, accents", crit("event", "open de BESAN\xC3\x87"), true},
    {"Site", crit("site", "DIJ"), true},
    {"Site fails", crit("site", "Paris"), false},
    {"Result", crit("resultat", "1-0"), true},
    {"Result fails", crit("resultat", "0-1"), false},
    {"ECO", crit("eco", "c5"), true},
    {"Round", crit("ronde", "3"), true},
    {"Round fails", crit("ronde", "4"), false},
    {"blanks around a criterion", crit("site", "  Dijon "), true},
    {"blank criterion passes", crit("eco", "   "), true},
};

class FiltrePgn : public TestPgn, public ::testing::WithParamInterface<CasFiltre> {};

}  // namespace

TEST_P(FiltrePgn, LeCritereGardeOuEcarteLaPartie) {
  const auto parties = lit_texte(PARTIE, false);
  ASSERT_EQ(parties.size(), 1u);
  EXPECT_EQ(pgn::passe_filtre(parties[0], GetParam().criteres), GetParam().passe);
}

INSTANTIATE_TEST_SUITE_P(Criteres, FiltrePgn, ::testing::ValuesIn(CAS), NomDuCas());

TEST_F(TestPgn, UnCritereSurUnTagAbsentEcarteLaPartie) {
  const auto parties = lit_texte("[White \"Anna\"]\n\n1.e4 *\n", false);
  ASSERT_EQ(parties.size(), 1u);
  EXPECT_FALSE(pgn::passe_filtre(parties[0], crit("eco", "C")));
  EXPECT_TRUE(pgn::passe_filtre(parties[0], crit("noir", "An", true))) << "Anna plays White";
  EXPECT_FALSE(pgn::passe_filtre(parties[0], crit("noir", "An", false)));
}

TEST_F(TestPgn, LesCriteresViennentDesReglagesEtLaLimiteResteDansSesBornes) {
  // Each setting with the criterion it gives.
  const struct {
    QString* reglage;
    QString pgn::CriteresFiltre::*critere;
    const char* valeur;
  } champs[] = {
      {&critere_blanc, &pgn::CriteresFiltre::blanc, "Smith"},  {&critere_noir, &pgn::CriteresFiltre::noir, "Jones"},
      {&critere_eco, &pgn::CriteresFiltre::eco, "B"},          {&critere_resultat, &pgn::CriteresFiltre::resultat, "1-0"},
      {&critere_date, &pgn::CriteresFiltre::date, "2024"},     {&critere_site, &pgn::CriteresFiltre::site, "Paris"},
      {&critere_event, &pgn::CriteresFiltre::event, "Open"},   {&critere_ronde, &pgn::CriteresFiltre::ronde, "7"},
  };
  for (const auto& ch : champs) *ch.reglage = QString::fromUtf8(ch.valeur);
  critere_lesdeux = 1;
  const pgn::CriteresFiltre c = criteres_reglages();
  for (const auto& ch : champs) EXPECT_EQ(c.*ch.critere, QString::fromUtf8(ch.valeur)) << ch.valeur;
  EXPECT_TRUE(c.lesdeux);
  EXPECT_FALSE(c.vide());
  EXPECT_TRUE(pgn::CriteresFiltre{}.vide());

  const int limites[][2] = {{1000, 1000}, {1, 1}, {32767, 32767}, {0, 1}, {-5, 1}, {40000, 32767}};
  for (const auto& l : limites) EXPECT_EQ(pgn::limite_liste(l[0]), l[1]) << l[0];
}
