// The lookups of the language library at the edges of its id scheme.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QString>
#include <climits>

#include "langlib/langue.h"
#include "tests/langlib/langues_livrees.h"

using essais_langues::LANGUES;

TEST(Langue, IdsDuMotFichierSelonLaLangue) {
  const langue l;
  EXPECT_EQ(l.affiche_texte(11), QStringLiteral("&Fichier"));
  if (LANGUES[1].livree) {
    EXPECT_EQ(l.affiche_texte(1011), QStringLiteral("&File"));
  }
  // Each delivered language has its own word for "file", with an access key.
  for (int i = 1; i < 8; ++i) {
    if (!LANGUES[i].livree) continue;
    const QString mot = l.affiche_texte(i * 1000 + 11);
    EXPECT_NE(mot, l.affiche_texte(11)) << LANGUES[i].code;
    EXPECT_TRUE(mot.contains(QLatin1Char('&'))) << LANGUES[i].code;
  }
}

TEST(Langue, Texte429AbsentEnRusseEtEnPolonais) {
  const langue l;
  EXPECT_EQ(l.affiche_texte(439), QStringLiteral("le"));
  EXPECT_EQ(l.affiche_texte(6439), QString());
  EXPECT_EQ(l.affiche_texte(7439), QString());
  // The neighbours are there where the language is.
  for (const int i : {6, 7})
    if (LANGUES[i].livree) {
      EXPECT_FALSE(l.affiche_texte(i * 1000 + 438).isEmpty());
      EXPECT_FALSE(l.affiche_texte(i * 1000 + 440).isEmpty());
    }
}

TEST(Langue, UnTrouDeLaListeEstVideDansToutesLesLangues) {
  const langue l;
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(l.affiche_texte(i * 1000 + 112), QString()) << "text 102, language " << i;
    EXPECT_EQ(l.affiche_texte(i * 1000 + 10), QString()) << "text 0, language " << i;
  }
}

TEST(Langue, IdsHorsDesLanguesDonnentLeTexteVide) {
  const langue l;
  for (const int id : {-1, -11, -1011, 7667, 8011, SHRT_MAX, SHRT_MIN, INT_MAX, INT_MIN})
    EXPECT_EQ(l.affiche_texte(id), QString()) << id;
}

TEST(Langue, SansEtatNiSecondeLangueDeSecours) {
  // Two objects and repeated calls give the same answers; a missing text is
  // never replaced by another language's.
  const langue a, b;
  for (const int id : {11, 173, 439, 6439, 112, 666, 1666})
    EXPECT_EQ(a.affiche_texte(id), b.affiche_texte(id)) << id;
  EXPECT_EQ(a.affiche_texte(173), a.affiche_texte(173));
  EXPECT_EQ(a.affiche_texte(666), QStringLiteral("Les paramètres externes sont chargés !"));
}

TEST(Langue, LaBibliothequePorteLaVersion102) {
  const QFileInfo fichier(QStringLiteral(MVD_BUILD_DIR "/libmvdlang.so.1.02"));
  EXPECT_TRUE(fichier.exists()) << fichier.filePath().toStdString();
  EXPECT_TRUE(QFileInfo(QStringLiteral(MVD_BUILD_DIR "/libmvdlang.so")).exists());
}
