// The board control's errors reach the user in the user's language: the
// host words them from their number and what they are about.
#include <gtest/gtest.h>

#include <stdexcept>

#include "boardcontrol/echiquier.h"
#include "localisation/textes_langue.h"
#include "play/jeu.h"
#include "tests/common/aide_tests.h"

using mvdechiquier::ErreurEchiquier;

namespace {

class TexteErreur : public TestMorvandel {};

TEST_F(TexteErreur, LesErreursDeLEchiquierSontDitesDansLaLangueDeLInterface) {
  struct Cas {
    int numero;
    const char* objet;
    int texte;  // 0: the error's own words
  } cas[] = {
      {ErreurEchiquier::FICHIER_INTROUVABLE, "/images/pieces/absent.ico", 921},
      {ErreurEchiquier::IMAGE_INCORRECTE, "/images/echiquier/faux.bmp", 922},
      {ErreurEchiquier::VALEUR_INCORRECTE, "14", 920},
      {ErreurEchiquier::INDICE_HORS_PLAGE, "9, 0", 925},
      {0, "", 0},
  };
  for (const int cle : {1, 2, 6}) {
    passe_en_langue(cle);
    for (const Cas& c : cas) {
      SCOPED_TRACE(testing::Message() << "key " << cle << ", error " << c.numero);
      const ErreurEchiquier e(c.numero, QStringLiteral("mots de la bibliothèque"), QString::fromLatin1(c.objet));
      EXPECT_EQ(texte_erreur(e), c.texte ? texte(c.texte).arg(c.objet) : QStringLiteral("mots de la bibliothèque"));
    }
  }
  EXPECT_EQ(texte_erreur(std::runtime_error("autre")), QStringLiteral("autre"));
}

}  // namespace
