// The language key, the text base, the notation that goes with the language
// and the piece names.
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <climits>
#include <memory>
#include <stdexcept>

#include "chess/etat.h"
#include "langlib/langue.h"
#include "localisation/textes_langue.h"
#include "tests/common/aide_tests.h"

namespace {

// A stand-in for the main window: its notation menu with the three items,
// optionally in an exclusive group as a real menu would have them.
struct FenetreMenu {
  explicit FenetreMenu(bool groupe_exclusif) {
    fenetre.setObjectName(QStringLiteral("Menu"));
    QMenu* menu = fenetre.menuBar()->addMenu(QStringLiteral("No&tation"));
    QActionGroup* groupe = groupe_exclusif ? new QActionGroup(&fenetre) : nullptr;
    for (QAction** a : {&francaise, &pgn, &internationale}) {
      *a = menu->addAction(QStringLiteral("item"));
      if (groupe) {
        (*a)->setCheckable(true);
        groupe->addAction(*a);
      }
    }
    francaise->setObjectName(QStringLiteral("notation_francaise"));
    pgn->setObjectName(QStringLiteral("notation_pgn"));
    internationale->setObjectName(QStringLiteral("notation_internationale"));
  }
  QMainWindow fenetre;
  QAction* francaise = nullptr;
  QAction* pgn = nullptr;
  QAction* internationale = nullptr;
};

class TextesLangue : public TestMorvandel {
 protected:
  void TearDown() override {
    installe_fenetre_menu({});
    TestMorvandel::TearDown();
  }
  // Installs `m` as the main window and counts how often it is asked for.
  void installe(FenetreMenu& m) {
    installe_fenetre_menu([this, &m]() -> QObject* {
      ++demandes_;
      return &m.fenetre;
    });
  }
  void choisit(int cle) {
    cle_langue = cle;
    applique_langue();
  }
  int demandes_ = 0;
};

}  // namespace

TEST_F(TextesLangue, BaseEtNotationPourChaqueCle) {
  const struct {
    int cle, base, style;
  } cas[] = {{1, 10, 1},   {2, 1010, 2}, {3, 2010, 2}, {4, 3010, 2},  {5, 4010, 2},  {6, 5010, 2},
             {7, 6010, 2}, {8, 7010, 2}, {0, 1010, 2}, {9, 1010, 2}, {255, 1010, 2}, {-1, 1010, 2}};
  for (const auto& c : cas) {
    style_notation = 0;
    base_texte = 0;
    choisit(c.cle);
    EXPECT_EQ(base_texte, c.base) << "key " << c.cle;
    EXPECT_EQ(style_notation, c.style) << "key " << c.cle;
  }
}

TEST_F(TextesLangue, CleHorsPlageDonneLesTextesAnglais) {
  for (const int cle : {0, 9}) {
    choisit(cle);
    EXPECT_EQ(texte(1), QStringLiteral("&File")) << cle;
    EXPECT_EQ(texte(28), objet_langue().affiche_texte(1038)) << cle;
  }
  choisit(1);
  EXPECT_EQ(texte(1), QStringLiteral("&Fichier"));
  EXPECT_EQ(texte(429), QStringLiteral("le"));
  for (const int cle : {7, 8}) {
    choisit(cle);
    EXPECT_EQ(texte(429), QString()) << "no text 429 in Russian and Polish, key " << cle;
  }
}

TEST_F(TextesLangue, LeFrancaisPuisLAnglaisDeplacentLaMarqueDeNotation) {
  FenetreMenu m(false);
  installe(m);
  choisit(1);
  EXPECT_TRUE(m.francaise->isChecked());
  EXPECT_FALSE(m.pgn->isChecked());
  EXPECT_FALSE(m.internationale->isChecked());
  choisit(2);
  EXPECT_FALSE(m.francaise->isChecked());
  EXPECT_TRUE(m.pgn->isChecked());
  EXPECT_FALSE(m.internationale->isChecked());
  EXPECT_EQ(demandes_, 2);
}

TEST_F(TextesLangue, UneNotationChoisieAuMenuEstPerdueAuChangementDeLangue) {
  // Squares-only notation chosen from the menu, then French chosen again.
  FenetreMenu m(true);
  installe(m);
  m.internationale->setChecked(true);
  style_notation = 0;
  choisit(1);
  EXPECT_EQ(style_notation, 1);
  EXPECT_TRUE(m.francaise->isChecked());
  EXPECT_FALSE(m.internationale->isChecked());
  EXPECT_FALSE(m.pgn->isChecked());
  // Any key but 1, out-of-range ones included, checks the PGN item, also
  // inside an exclusive group.
  for (const int cle : {5, 0, 1, 200}) {
    choisit(cle);
    EXPECT_EQ(m.francaise->isChecked(), cle == 1) << cle;
    EXPECT_EQ(m.pgn->isChecked(), cle != 1) << cle;
    EXPECT_FALSE(m.internationale->isChecked()) << cle;
  }
}

TEST_F(TextesLangue, SansFenetrePrincipaleSeulsLaBaseEtLeStyleChangent) {
  choisit(3);
  EXPECT_EQ(base_texte, 2010);
  EXPECT_EQ(style_notation, 2);
  installe_fenetre_menu([]() -> QObject* { return nullptr; });
  choisit(1);
  EXPECT_EQ(base_texte, 10);
  EXPECT_EQ(style_notation, 1);
}

TEST_F(TextesLangue, UnElementDeMenuManquantRemonteAlAppelant) {
  FenetreMenu m(false);
  delete m.pgn;
  installe(m);
  EXPECT_THROW(choisit(2), std::runtime_error);
  // What was set before the marks stays set.
  EXPECT_EQ(base_texte, 1010);
  EXPECT_EQ(style_notation, 2);
}

TEST_F(TextesLangue, IdDuTexteAvecControleDeDepassement) {
  choisit(8);
  EXPECT_EQ(id_texte(656), 7666);
  EXPECT_EQ(id_texte(32767 - 7010), 32767);
  EXPECT_THROW(id_texte(32768 - 7010), std::overflow_error);
  EXPECT_THROW(texte(INT_MAX), std::overflow_error);
  choisit(1);
  EXPECT_EQ(id_texte(-32778), -32768);
  EXPECT_THROW(id_texte(-32779), std::overflow_error);
  EXPECT_THROW(id_texte(INT_MIN), std::overflow_error);
}

TEST_F(TextesLangue, NomDesPiecesEnFrancaisEtEnAnglais) {
  choisit(1);
  const char* noms[] = {"un PION", "une TOUR", "un CAVALIER", "un FOU", "une DAME", "le ROI"};
  for (int t = 0; t < 6; ++t) {
    EXPECT_EQ(nom_piece(PION_NOIR + t), QString::fromUtf8(noms[t])) << "black code " << PION_NOIR + t;
    EXPECT_EQ(nom_piece(PION_BLANC + t), QString::fromUtf8(noms[t])) << "white code " << PION_BLANC + t;
  }
  EXPECT_EQ(nom_piece(CASE_VIDE), QString());
  choisit(2);
  EXPECT_EQ(nom_piece(PION_BLANC), QStringLiteral("a PAWN"));
  EXPECT_EQ(nom_piece(ROI_NOIR), QStringLiteral("the KING"));
  // The message of a capture joins three texts.
  EXPECT_EQ(texte(162) + nom_piece(DAME_NOIRE) + texte(163),
            QStringLiteral("Well done, you have taken a QUEEN from your opponent !"));
}

TEST_F(TextesLangue, CodeSansPieceNeDemandeAucunTexte) {
  // With a base at which any lookup of texts 156-161 would overflow, the
  // codes without a piece still give "" quietly.
  base_texte = INT16_MAX - 100;
  const int sans_piece[] = {CASE_VIDE, 0, 14, -1, 100, INT_MIN, INT_MAX};
  for (const int code : sans_piece) EXPECT_EQ(nom_piece(code), QString()) << code;
  EXPECT_THROW(nom_piece(PION_BLANC), std::overflow_error);
}

TEST_F(TextesLangue, UnSeulObjetLangue) {
  EXPECT_EQ(&objet_langue(), &objet_langue());
  EXPECT_EQ(base_texte, 10) << "the start-of-run state is French";
  EXPECT_EQ(texte(1), QStringLiteral("&Fichier"));
}
