// The reader of the language files, as the build step uses it.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "langlib/lecture_textes.h"

using mvdlang::lit_textes;

namespace {

// Reads `contenu`; returns the error text, empty when the read succeeded.
std::string lit(const std::string& contenu, std::map<int, std::string>& textes) {
  std::string erreur;
  const bool ok = lit_textes(contenu, textes, erreur);
  EXPECT_EQ(ok, erreur.empty()) << erreur;
  return ok ? std::string() : erreur;
}

}  // namespace

TEST(LectureTextes, LignesCommentairesFinsDeLigneEtMarqueBOM) {
  std::map<int, std::string> t;
  EXPECT_EQ(lit("\xEF\xBB\xBF# titre\r\n1\t&Fichier\r\n\r\n\n163\t \xC3\xA0 l'adversaire !\n"
                "# 999\tpas un texte\n640\tFormat &PGN simplifi\xC3\xA9",
                t),
            "");
  ASSERT_EQ(t.size(), 3u);
  EXPECT_EQ(t[1], "&Fichier");                               // CR of a CRLF end dropped
  EXPECT_EQ(t[163], " \xC3\xA0 l'adversaire !");              // leading blank kept
  EXPECT_EQ(t[640], "Format &PGN simplifi\xC3\xA9");          // last line without line end
}

TEST(LectureTextes, BlancsDeFinEtTabulationsDansLeTexte) {
  std::map<int, std::string> t;
  EXPECT_EQ(lit("162\tBravo, vous avez pris \n269\t dans le fichier  \n", t), "");
  EXPECT_EQ(t[162], "Bravo, vous avez pris ");
  EXPECT_EQ(t[269], " dans le fichier  ");
}

TEST(LectureTextes, Echappements) {
  std::map<int, std::string> t;
  EXPECT_EQ(lit("177\tPremi\xC3\xA8re ligne\\nseconde\n5\ta\\tb\n6\tC:\\\\base\\\\eco\n7\t\\\\n\n", t), "");
  EXPECT_EQ(t[177], "Premi\xC3\xA8re ligne\nseconde");
  EXPECT_EQ(t[5], "a\tb");
  EXPECT_EQ(t[6], "C:\\base\\eco");
  EXPECT_EQ(t[7], "\\n");  // an escaped backslash, then a plain n
  EXPECT_NE(lit("1\tmot\\r\n", t).find("line 1: unknown escape \\r"), std::string::npos);
  EXPECT_NE(lit("1\tok\n2\tfin\\\n", t).find("line 2: backslash at the end"), std::string::npos);
}

TEST(LectureTextes, LignesMalFormees) {
  std::map<int, std::string> t;
  const struct {
    const char* contenu;
    const char* message;
  } cas[] = {
      {"1 &Fichier\n", "line 1: expected the text number, one tab"},    // blank instead of tab
      {"1\tA\n\tsans numero\n", "line 2: expected the text number"},
      {"1\tA\n2\n", "line 2: expected the text number"},                 // no tab
      {"x1\tA\n", "line 1: expected the text number"},
      {"1\t\n", "line 1: text 1 is empty"},
      {"0\tz\xC3\xA9ro\n", "line 1: text number out of range"},
      {"990\thors plage\n", "line 1: text number out of range"},
      {"123456789012\tgrand\n", "line 1: text number out of range"},
      {"1\tA\n# c\n1\tB\n", "line 3: text 1 appears twice"},
  };
  for (const auto& c : cas) {
    const std::string erreur = lit(c.contenu, t);
    EXPECT_NE(erreur.find(c.message), std::string::npos) << c.contenu << " -> " << erreur;
  }
  EXPECT_EQ(lit("989\tdernier possible\n", t), "");
}

TEST(LectureTextes, FichierQuiNEstPasEnUtf8) {
  std::map<int, std::string> t;
  // "é" saved in Windows-1252 on the third line.
  const std::string erreur = lit("1\tA\n2\tB\n3\tEntr\xE9" "e\n", t);
  EXPECT_NE(erreur.find("line 3: not UTF-8"), std::string::npos) << erreur;
}

TEST(LectureTextes, Utf8ValideEtInvalide) {
  using mvdlang::utf8_valide;
  EXPECT_TRUE(utf8_valide(""));
  EXPECT_TRUE(utf8_valide("\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB"));   // Cyrillic
  EXPECT_TRUE(utf8_valide("\xC5\x81\xC3\xB3\xC5\xBA"));           // Polish letters
  EXPECT_TRUE(utf8_valide("\xE2\x82\xAC \xF0\x9F\x98\x80"));       // euro sign, 4-byte form
  EXPECT_FALSE(utf8_valide("\xC3"));                               // cut short at the end
  EXPECT_FALSE(utf8_valide("\xE2\x82"));
  EXPECT_FALSE(utf8_valide("\xC3\x28"));                           // bad continuation
  EXPECT_FALSE(utf8_valide("\xC0\xAF"));                           // overlong
  EXPECT_FALSE(utf8_valide("\xE0\x80\xAF"));                       // overlong, 3 bytes
  EXPECT_FALSE(utf8_valide("\xED\xA0\x80"));                       // surrogate
  EXPECT_FALSE(utf8_valide("\xF4\x90\x80\x80"));                   // above U+10FFFF
  EXPECT_FALSE(utf8_valide("\x80"));                               // lone continuation
}

TEST(LectureTextes, CodesDesLangues) {
  EXPECT_EQ(mvdlang::indice_langue("fr"), 0);
  EXPECT_EQ(mvdlang::indice_langue("en"), 1);
  EXPECT_EQ(mvdlang::indice_langue("ru"), 6);
  EXPECT_EQ(mvdlang::indice_langue("pl"), 7);
  EXPECT_EQ(mvdlang::indice_langue("FR"), -1);
  EXPECT_EQ(mvdlang::indice_langue("nl"), -1);
}
