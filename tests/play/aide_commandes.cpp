#include "tests/play/aide_commandes.h"

#include <cstring>

#include "chess/cases.h"
#include "chess/etat.h"

QString dossier_pieces() { return QStringLiteral(MVD_BUILD_DIR "/images/pieces/Morvandel/"); }

void TestCommandes::SetUp() {
  TestMorvandel::SetUp();
  echiquier_ = std::make_unique<mvdechiquier::Echiquier>();
  liste_ = std::make_unique<QListWidget>();
  controles_ = {echiquier_.get(), liste_.get()};
}

void TestCommandes::TearDown() {
  controles_ = {};
  liste_.reset();
  echiquier_.reset();
  TestMorvandel::TearDown();
}

void TestCommandes::nouvelle_partie(int couleur) {
  couleur_joueur = couleur;
  dernier_trait = NOIR;
  echiquier_->init_echiquier(couleur, dossier_pieces(), QString());
  recharge_depuis_controle(controles_);
  historique_positions.clear();
  memorise_controle(controles_);
}

void TestCommandes::ecran(const char* nom, int& colonne, int& ligne) {
  const CaseEcran e = case_de_nom(nom);
  colonne = e.colonne;
  ligne = e.ligne;
}

int TestCommandes::code_en(const char* nom) {
  int c = 0, l = 0;
  ecran(nom, c, l);
  const int code = echiquier_->Piece(c, l);
  EXPECT_EQ(code, tab_echiquier(c, l)) << "control and board array differ on " << nom;
  return code;
}

QStringList TestCommandes::lignes() const {
  QStringList l;
  for (int i = 0; i < liste_->count(); ++i) l << liste_->item(i)->text();
  return l;
}

void attend_diagramme(const mvdechiquier::Echiquier& e, const char* const lignes[8]) {
  for (int l = 1; l <= 8; ++l)
    for (int c = 1; c <= 8; ++c) {
      const char ch = lignes[l - 1][c - 1];
      const int attendu = ch == '.' ? CASE_VIDE : code_de_lettre(2, ch);
      EXPECT_EQ(e.Piece(c, l), attendu) << "control, colonne " << c << ", ligne " << l;
      EXPECT_EQ(tab_echiquier(c, l), attendu) << "board array, colonne " << c << ", ligne " << l;
    }
}
